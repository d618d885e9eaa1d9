#include "core/options/OptionsDialog.h"

#include "core/settings/Endpoints.h"

#include <cstdio>

namespace meltemix {
namespace {

using C = OptionsControl;

struct FlagBox {
    C box;
    const SettingKey* key;
};

// The boxes in the order they are loaded and saved; the three groups are written at
// different steps of a save.
const FlagBox BehaviourBoxes[] = {{C::CheckBox1, &keys::Startup},
                                  {C::CheckBox18, &keys::Desktop},
                                  {C::CheckBox19, &keys::QuickLunch},
                                  {C::CheckBox2, &keys::AutoUpdate}};
const FlagBox WindowBoxes[] = {{C::CheckBox3, &keys::ShowTrayIcon},
                               {C::CheckBox4, &keys::AlwaysTop},
                               {C::CheckBox16, &keys::CheckNewVersion},
                               {C::CheckBox17, &keys::FadeEffect}};
const FlagBox InfoBoxes[] = {{C::CheckBox6, &keys::ShowIP},
                             {C::CheckBox7, &keys::ShowSunInfo},
                             {C::CheckBox8, &keys::ShowSituation},
                             {C::CheckBox9, &keys::ShowDate},
                             {C::CheckBox10, &keys::ShowHijri},
                             {C::CheckBox11, &keys::ShowWind},
                             {C::CheckBox12, &keys::ShowVisibility},
                             {C::CheckBox13, &keys::ShowHumidity},
                             {C::CheckBox14, &keys::ShowChill},
                             {C::CheckBox15, &keys::ShowWeatherText},
                             {C::CheckBox20, &keys::ShowInfoText}};

constexpr C InfoLineBoxes[] = {C::CheckBox6,  C::CheckBox7,  C::CheckBox8,  C::CheckBox9,
                               C::CheckBox10, C::CheckBox11, C::CheckBox12, C::CheckBox13,
                               C::CheckBox14, C::CheckBox15};

// A stored index outside the list leaves it without a selection.
int ListIndex(std::int32_t stored, std::size_t itemCount) {
    return stored >= 0 && static_cast<std::size_t>(stored) < itemCount ? stored : -1;
}

} // namespace

const std::vector<std::string>& UpdatePeriodItems() {
    static const std::vector<std::string> items = {"5 dk.",  "10 dk.", "15 dk.",
                                                   "30 dk.", "1 saat", "2 saat"};
    return items;
}

const std::vector<std::string>& BackgroundItems() {
    static const std::vector<std::string> items = {"(yok)", "Çok ince cam", "Kalın cam",
                                                   "Sütlü Kahve", "Renk belirle..."};
    return items;
}

std::optional<std::int32_t> ParseOpacity(const std::string& text) {
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && text[i] == ' ')
        ++i;
    while (end > i && text[end - 1] == ' ')
        --end;
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == end)
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > 0x7FFFFFFF)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

OptionsDialog::OptionsDialog(SettingsFile& settings, OptionsView& view, OptionsHost& host)
    : settings_(settings), view_(view), host_(host),
      locations_(view, host, ReadEndpoints(settings)) {}

bool OptionsDialog::checked(C box) const { return checked_[static_cast<std::size_t>(box)]; }

void OptionsDialog::setChecked(C box, bool value) {
    checked_[static_cast<std::size_t>(box)] = value;
    view_.setChecked(box, value);
}

void OptionsDialog::load(int page) {
    locations_.start();
    locations_.fill(settings_);

    view_.setItems(C::ComboBox2, BackgroundItems());
    background_ = ListIndex(settings_.readInteger(keys::Background, Reader::Dialog),
                            BackgroundItems().size());
    view_.setSelection(C::ComboBox2, background_);

    for (const FlagBox& flag : BehaviourBoxes)
        setChecked(flag.box, settings_.readFlag(*flag.key, Reader::Dialog));
    view_.setItems(C::ComboBox3, UpdatePeriodItems());
    updatePeriod_ = ListIndex(settings_.readInteger(keys::UpdatePeriod, Reader::Dialog),
                              UpdatePeriodItems().size());
    view_.setSelection(C::ComboBox3, updatePeriod_);
    applyPeriodRule();

    for (const FlagBox& flag : WindowBoxes)
        setChecked(flag.box, settings_.readFlag(*flag.key, Reader::Dialog));

    backColor_ = static_cast<std::uint32_t>(settings_.readInteger(keys::BackColor, Reader::Dialog));
    view_.setSwatchColour(backColor_);
    setChecked(C::CheckBox5, settings_.readFlag(keys::GlassEffect, Reader::Dialog));
    // The spin box holds its position inside its range, so that is what is shown.
    std::int32_t opacity = settings_.readInteger(keys::GlassOpacity, Reader::Dialog);
    opacity = opacity < OpacityMin ? OpacityMin : opacity > OpacityMax ? OpacityMax : opacity;
    opacityAtOpen_ = opacity;
    opacityText_ = std::to_string(opacity);
    view_.setText(C::Edit1, opacityText_);
    applyBackgroundRules();

    for (const FlagBox& flag : InfoBoxes)
        setChecked(flag.box, settings_.readFlag(*flag.key, Reader::Dialog));
    applyInfoLinesRule();

    tempFontName_ = settings_.readText(keys::TempFontName);
    cityFontName_ = settings_.readText(keys::CityFontName);

    // A stored page the dialog does not have shows the first one rather than none.
    page_ = ListIndex(settings_.readInteger(keys::LastTabSheet, Reader::Dialog), PageCount);
    if (page_ < 0)
        page_ = 0;
    if (page >= 0 && page < PageCount)
        page_ = page;
    view_.showPage(page_);
}

void OptionsDialog::applyPeriodRule() {
    const bool on = checked(C::CheckBox2);
    view_.setEnabled(C::Label3, on);
    view_.setEnabled(C::ComboBox3, on);
}

void OptionsDialog::applyBackgroundRules() {
    const bool custom = background_ == static_cast<int>(BackgroundItems().size()) - 1;
    for (C control : {C::Panel1, C::Label1, C::Bevel1, C::Shape1, C::CheckBox5})
        view_.setEnabled(control, custom);
    applyOpacityRule();
}

void OptionsDialog::applyOpacityRule() {
    const bool custom = background_ == static_cast<int>(BackgroundItems().size()) - 1;
    const bool on = custom && checked(C::CheckBox5);
    for (C control : {C::Label2, C::Edit1, C::UpDown1, C::Label6})
        view_.setEnabled(control, on);
}

void OptionsDialog::applyInfoLinesRule() {
    const bool on = checked(C::CheckBox20);
    for (C box : InfoLineBoxes)
        view_.setEnabled(box, on);
}

void OptionsDialog::checkClicked(C box, bool value) {
    checked_[static_cast<std::size_t>(box)] = value;
    switch (box) {
    case C::CheckBox2:
        applyPeriodRule();
        break;
    case C::CheckBox5:
        applyOpacityRule();
        break;
    case C::CheckBox20:
        applyInfoLinesRule();
        break;
    default:
        break;
    }
}

void OptionsDialog::selectionChanged(C list, int row) {
    switch (list) {
    case C::ComboBox2:
        background_ = ListIndex(row, BackgroundItems().size());
        applyBackgroundRules();
        break;
    case C::ComboBox3:
        updatePeriod_ = ListIndex(row, UpdatePeriodItems().size());
        break;
    case C::ComboBox1:
        locations_.turkishPlaceChosen(row);
        break;
    case C::ListBox1:
        locations_.resultClicked(row);
        break;
    case C::ListBox2:
        locations_.favouriteClicked(row);
        break;
    default:
        break;
    }
}

void OptionsDialog::textChanged(C edit, const std::string& text) {
    if (edit == C::Edit1)
        opacityText_ = text;
    else if (edit == C::Edit2)
        locations_.searchTextChanged(text);
}

void OptionsDialog::focusChanged(C control, bool gained) {
    // Enter presses the search button that has the focus, as it searches from its box.
    if (control == C::Edit2 || control == C::Button5)
        locations_.searchFocusChanged(gained);
}

void OptionsDialog::buttonClicked(C button) {
    switch (button) {
    case C::Button3:
        locations_.addTurkishPlace();
        break;
    case C::Button4:
        locations_.addResult();
        break;
    case C::Button5:
        locations_.search();
        break;
    case C::Button6:
        locations_.deleteFavourite();
        break;
    case C::Button7:
        locations_.deleteAllFavourites();
        break;
    default:
        break;
    }
}

void OptionsDialog::modeChosen(int mode) { locations_.modeChosen(mode); }

void OptionsDialog::swatchPressed() {
    std::uint32_t colour = backColor_;
    if (!view_.chooseColour(colour))
        return;
    backColor_ = colour;
    view_.setSwatchColour(colour);
}

void OptionsDialog::pageShown(int page) {
    if (page >= 0 && page < PageCount)
        page_ = page;
}

bool OptionsDialog::closeQuery(bool ok) {
    if (!ok)
        return true;
    const std::optional<std::int32_t> opacity = ParseOpacity(opacityText_);
    if (!opacity || *opacity < OpacityMin || *opacity > OpacityMax) {
        char message[64];
        std::snprintf(message, sizeof message, "Saydamlık %d-%d arasında olmalıdır", OpacityMin,
                      OpacityMax);
        view_.showError(message);
        opacityText_ = std::to_string(opacityAtOpen_);
        view_.setText(C::Edit1, opacityText_);
        view_.selectAllText(C::Edit1);
        return false;
    }
    save(*opacity);
    settings_.flush();
    return true;
}

void OptionsDialog::save(std::int32_t opacity) {
    for (const FlagBox& flag : BehaviourBoxes)
        settings_.writeFlag(*flag.key, checked(flag.box));
    settings_.writeInteger(keys::UpdatePeriod, updatePeriod_);
    settings_.writeInteger(keys::Background, background_);
    locations_.saveLocation(settings_);
    for (const FlagBox& flag : WindowBoxes)
        settings_.writeFlag(*flag.key, checked(flag.box));
    settings_.writeInteger(keys::BackColor, static_cast<std::int32_t>(backColor_));
    settings_.writeFlag(keys::GlassEffect, checked(C::CheckBox5));
    settings_.writeInteger(keys::GlassOpacity, opacity);
    for (const FlagBox& flag : InfoBoxes)
        settings_.writeFlag(*flag.key, checked(flag.box));
    settings_.writeInteger(keys::LastTabSheet, page_);
    locations_.saveFavourites(settings_);
    settings_.writeText(keys::TempFontName, tempFontName_);
    settings_.writeText(keys::CityFontName, cityFontName_);

    ShortcutTicks ticks;
    ticks.desktop = checked(C::CheckBox18);
    ticks.startup = checked(C::CheckBox1);
    ticks.quickLaunch = checked(C::CheckBox19);
    SynchroniseShortcuts(host_.shell(), ticks);
}

} // namespace meltemix
