#pragma once

#include "XmlTestSupport.h"
#include "core/options/OptionsDialog.h"
#include "core/settings/SettingsFile.h"
#include "native/fakes/MemoryProfileStore.h"
#include "native/fakes/RecordingOptionsView.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace meltemix::test {

// Logs every write as "Section/Key=value", erasures and flushes, and can fail from a
// given write on.
class WriteLogStore : public MemoryProfileStore {
public:
    std::vector<std::string> log;
    int failFromWrite = -1;

    bool writeText(const std::string& section, const std::string& key,
                   const std::string& value) override {
        if (failFromWrite >= 0 && writes_ >= failFromWrite)
            return false;
        ++writes_;
        log.push_back(section + "/" + key + "=" + value);
        return MemoryProfileStore::writeText(section, key, value);
    }
    bool eraseSection(const std::string& section) override {
        log.push_back("erase " + section);
        return MemoryProfileStore::eraseSection(section);
    }
    bool flush() override {
        log.push_back("<flush>");
        return true;
    }

private:
    int writes_ = 0;
};

// An options dialog on an in-memory settings file, a recording window and a fake world.
class OptionsDialogTest : public testing::Test {
protected:
    using C = OptionsControl;

    void put(const std::string& section, const std::string& key, const std::string& value) {
        store.MemoryProfileStore::writeText(section, key, value);
    }
    OptionsDialog& open(int page = -1) {
        dialog = std::make_unique<OptionsDialog>(settings, view, host);
        dialog->load(page);
        return *dialog;
    }
    bool ok() { return dialog->closeQuery(true); }
    bool enabled(C control) const { return view[control].enabled; }

    WriteLogStore store;
    SettingsFile settings{store};
    RecordingOptionsView view;
    FakeOptionsHost host{DomFactory()};
    std::unique_ptr<OptionsDialog> dialog;
};

} // namespace meltemix::test
