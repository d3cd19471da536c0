#include "settings/time_zones.h"

#include <algorithm>
#include <string_view>

std::u16string CityOfZone(const std::u16string& name) {
    // IANA names end in the city, its words joined by underscores: "America/Argentina/Buenos_Aires".
    if (const size_t slash = name.rfind(u'/'); slash != std::u16string::npos) {
        std::u16string city = name.substr(slash + 1);
        std::replace(city.begin(), city.end(), u'_', u' ');
        return city;
    }
    // Windows key names say a city or a region before the suffix that nearly all of them share
    // ("Tokyo", "Eastern", "W. Europe"); any other name ("UTC", "Japan") is shown as it is.
    constexpr std::u16string_view Suffix = u" Standard Time";
    const std::u16string_view whole = name;
    if (whole.size() > Suffix.size() && whole.substr(whole.size() - Suffix.size()) == Suffix) {
        return name.substr(0, whole.size() - Suffix.size());
    }
    return name;
}
