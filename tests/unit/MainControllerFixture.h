#pragma once

// The main window's controller against a recording host, on an in-memory settings file.
#include "core/app/MainController.h"
#include "core/weather/TurkishLocale.h"
#include "native/fakes/MemoryProfileStore.h"
#include "native/fakes/RecordingMainHost.h"
#include "XmlTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace meltemix::test {

class MainControllerTest : public testing::Test {
protected:
    MainControllerTest() {
        host.now.wYear = 2026;
        host.now.wMonth = 12;
        host.now.wDay = 7;
        host.now.wHour = 9;
        host.now.wDayOfWeek = 1;
        store.writeText("Endpoints", "Weather", "http://w");
        store.writeText("Endpoints", "IP", "http://ip");
        store.writeText("Endpoints", "Maker", "http://maker");
        host.moved = [this] { controller.FormMove(); };
    }

    void create() {
        controller.FormCreate();
        host.log.clear();
    }
    // The feed worker finishes with `bytes` and result `code`.
    void arrive(Download purpose, int code, const std::string& bytes) {
        host.bytes[purpose] = bytes;
        controller.OnDownloaded(purpose, code);
    }
    void feedArrives() { arrive(Download::Feed, 0, test::ReadTestData("istanbul.xml")); }

    MemoryProfileStore store;
    SettingsFile file{store};
    TurkishLocaleSource locale;
    RecordingMainHost host;
    MainController controller{host, file, locale, test::DomFactory()};
};

} // namespace meltemix::test
