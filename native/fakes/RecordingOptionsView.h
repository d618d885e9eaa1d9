#pragma once

#include "core/options/OptionsView.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace meltemix {

// The options dialog's window as a record of what it was told to show.
class RecordingOptionsView : public OptionsView {
public:
    struct State {
        bool checked = false;
        bool enabled = true;
        std::string text;
        std::vector<std::string> items;
        int selection = -1;
        bool allTextSelected = false;
    };

    const State& operator[](OptionsControl control) const {
        return controls_[static_cast<std::size_t>(control)];
    }

    std::optional<OptionsControl> focus;
    OptionsControl defaultButton = OptionsControl::Button1;
    std::uint32_t swatchColour = 0;
    int page = -1;
    bool busy = false;
    std::vector<std::string> errors;
    // What the colour picker answers: a colour, or nothing for Cancel.
    std::optional<std::uint32_t> pickedColour;
    std::vector<std::uint32_t> pickerPresets;

    void setChecked(OptionsControl control, bool checked) override { at(control).checked = checked; }
    void setEnabled(OptionsControl control, bool enabled) override { at(control).enabled = enabled; }
    void setText(OptionsControl control, const std::string& text) override {
        at(control).text = text;
        at(control).allTextSelected = false;
    }
    void selectAllText(OptionsControl control) override { at(control).allTextSelected = true; }
    void setItems(OptionsControl control, const std::vector<std::string>& items) override {
        at(control).items = items;
        at(control).selection = -1;
    }
    void setSelection(OptionsControl control, int row) override { at(control).selection = row; }
    void setFocus(OptionsControl control) override { focus = control; }
    void setDefaultButton(OptionsControl button) override { defaultButton = button; }
    void setSwatchColour(std::uint32_t colour) override { swatchColour = colour; }
    void showPage(int shown) override { page = shown; }
    void setBusy(bool value) override { busy = value; }
    void showError(const std::string& text) override { errors.push_back(text); }
    bool chooseColour(std::uint32_t& colour) override {
        pickerPresets.push_back(colour);
        if (!pickedColour)
            return false;
        colour = *pickedColour;
        return true;
    }

private:
    State& at(OptionsControl control) { return controls_[static_cast<std::size_t>(control)]; }

    std::array<State, OptionsControlCount> controls_{};
};

// A shell whose folders are names and whose files are a set; records what it was asked.
class RecordingShellLinks : public ShellLinks {
public:
    std::map<SpecialFolder, std::string> folders = {
        {SpecialFolder::Desktop, "C:\\Users\\ali\\Desktop"},
        {SpecialFolder::Startup, "C:\\Users\\ali\\Start Menu\\Programs\\Startup"},
        {SpecialFolder::ApplicationData, "C:\\Users\\ali\\AppData"}};
    std::set<std::string> files;
    std::vector<std::string> actions; // "create PATH" or "delete PATH", in order
    bool refuseLinkObject = false;

    std::string folderPath(SpecialFolder folder) override {
        const auto found = folders.find(folder);
        return found == folders.end() ? std::string() : found->second;
    }
    bool fileExists(const std::string& path) override { return files.count(path) != 0; }
    void createShortcut(const std::string& path) override;
    void deleteFile(const std::string& path) override {
        actions.push_back("delete " + path);
        files.erase(path);
    }
};

// The dialog's world: a scripted search answer, a DOM, a recording shell.
class FakeOptionsHost : public OptionsHost {
public:
    explicit FakeOptionsHost(XmlDocumentFactory createDocument)
        : createDocument_(std::move(createDocument)) {}

    // The search's answer; nothing means no answer could be had.
    std::optional<std::string> answer;
    // The address of each search, or "live:" and the text for the built-in provider's.
    std::vector<std::string> addresses;
    // Looks at the view while the download runs.
    std::function<void()> whileDownloading;
    RecordingShellLinks links;

    bool download(const DownloadPlan& plan, std::string& body) override {
        addresses.push_back(plan.Live ? "live:" + plan.Live->Argument : plan.Address);
        if (whileDownloading)
            whileDownloading();
        if (!answer)
            return false;
        body = *answer;
        return true;
    }
    std::unique_ptr<XmlDocument> createDocument() override { return createDocument_(); }
    ShellLinks& shell() override { return links; }

private:
    XmlDocumentFactory createDocument_;
};

} // namespace meltemix
