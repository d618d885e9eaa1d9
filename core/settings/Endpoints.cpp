#include "core/settings/Endpoints.h"

namespace meltemix {
namespace {
std::string baseAddress(const SettingsFile& file, const SettingKey& key) {
    std::string value = file.readText(key);
    while (!value.empty() && (value.back() == '/' || value.back() == ' '))
        value.pop_back();
    return value.empty() ? key.textDefault : value;
}
} // namespace

Endpoints ReadEndpoints(const SettingsFile& file) {
    return {baseAddress(file, keys::WeatherEndpoint),      baseAddress(file, keys::SearchEndpoint),
            baseAddress(file, keys::MakerEndpoint),        baseAddress(file, keys::IPEndpoint),
            baseAddress(file, keys::ForecastApiEndpoint),  baseAddress(file, keys::GeocodingApiEndpoint),
            baseAddress(file, keys::IpApiEndpoint)};
}

} // namespace meltemix
