#pragma once

#include "core/options/LocationsPage.h"
#include "core/options/OptionsView.h"
#include "core/settings/SettingsFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace meltemix {

// Items of the refresh period list, index = the stored UpdatePeriod.
const std::vector<std::string>& UpdatePeriodItems();
// Items of the background preset list, index = the stored Background; the last one lets
// the user pick the colour.
const std::vector<std::string>& BackgroundItems();

// The opacity box's text as a decimal integer, or nothing.
std::optional<std::int32_t> ParseOpacity(const std::string& text);

// The options dialog: fills itself from the settings file, keeps what its controls show,
// applies the enabling rules, checks the opacity and saves on an OK close. The window
// forwards every event here and draws what the view is told.
class OptionsDialog {
public:
    static constexpr int PageCount = 3;
    static constexpr int LocationsPageIndex = 2;
    static constexpr int OpacityMin = 0;
    static constexpr int OpacityMax = 255;

    OptionsDialog(SettingsFile& settings, OptionsView& view, OptionsHost& host);

    // FormCreate; then `page`, when it is one of the dialog's pages, replaces the page
    // shown last.
    void load(int page = -1);

    void checkClicked(OptionsControl box, bool checked);
    // A row chosen in a combo box or clicked in a list box (-1: none).
    void selectionChanged(OptionsControl list, int row);
    void textChanged(OptionsControl edit, const std::string& text);
    void focusChanged(OptionsControl control, bool gained);
    void buttonClicked(OptionsControl button);
    void modeChosen(int mode);
    void swatchPressed();
    void pageShown(int page);

    // Enter in the dialog: a search while the search box has the focus, else an OK close.
    bool enterSearches() const { return locations_.searchIsDefault(); }

    // FormCloseQuery: true when the dialog may close. An OK close checks the opacity,
    // saves, synchronises the shortcuts and flushes; a failed write raises its error
    // (the dialog then stays open). Any other close writes nothing.
    bool closeQuery(bool ok);

    bool locationChosen() const { return locations_.locationChosen(); }
    bool favouritesChanged() const { return locations_.favouritesChanged(); }
    int page() const { return page_; }

private:
    bool checked(OptionsControl box) const;
    void setChecked(OptionsControl box, bool value);
    void applyBackgroundRules();
    void applyOpacityRule();
    void applyPeriodRule();
    void applyInfoLinesRule();
    void save(std::int32_t opacity);

    SettingsFile& settings_;
    OptionsView& view_;
    OptionsHost& host_;
    LocationsPage locations_;

    std::array<bool, OptionsControlCount> checked_{};
    int updatePeriod_ = -1;
    int background_ = -1;
    std::uint32_t backColor_ = 0;
    std::string opacityText_;
    int opacityAtOpen_ = 0;
    std::string tempFontName_;
    std::string cityFontName_;
    int page_ = 0;
};

} // namespace meltemix
