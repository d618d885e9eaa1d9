#include "core/weather/StatusTexts.h"

namespace meltemix {

std::string StatusText(TConnectionState state, const std::string& cityName) {
    switch (state) {
    case cnConnecting:
        return "Bağlantı kuruluyor...";
    case cnNoConnection:
        return "Bağlantı yok";
    case cnError:
        return "Hata: İstisnai durum oluştu.";
    case cnReady:
        return cityName;
    }
    return std::string();
}

std::string IpText(TConnectionState state, const std::string& cityName,
                   const std::string& publicIp) {
    if (state != cnReady)
        return StatusText(state, cityName);
    return publicIp.empty() ? std::string("Araştırılıyor...") : publicIp;
}

} // namespace meltemix
