#include "core/options/LocationsPage.h"

#include "core/options/LocationSearch.h"

namespace meltemix {
namespace {

using C = OptionsControl;

bool InRange(int row, const PlaceList& list) {
    return row >= 0 && row < static_cast<int>(list.size());
}

int RowOrNone(int row, const PlaceList& list) {
    return InRange(row, list) ? row : -1;
}

} // namespace

LocationsPage::LocationsPage(OptionsView& view, OptionsHost& host, Endpoints endpoints)
    : view_(view), host_(host), endpoints_(std::move(endpoints)) {}

void LocationsPage::start() {
    mode_ = TurkishPlaces;
    view_.setChecked(C::RadioButton1, true);
    view_.setChecked(C::RadioButton2, false);
    view_.setChecked(C::RadioButton3, false);
    view_.setText(C::Label10, "");
    applyModeRules();
}

void LocationsPage::fill(const SettingsFile& settings) {
    turkishPlaces_.clear();
    for (const std::string& name : settings.readSectionKeys(sections::CitiesTU))
        turkishPlaces_.push_back({name, settings.readText(sections::CitiesTU, name, "")});
    turkishRow_ = -1;
    view_.setItems(C::ComboBox1, PlaceNames(turkishPlaces_));
    view_.setSelection(C::ComboBox1, -1);

    PlaceList stored;
    for (const std::string& name : settings.readSectionKeys(sections::Favorites))
        stored.push_back({name, settings.readText(sections::Favorites, name, "")});
    favourites_ = Favourites(std::move(stored));
    favouriteRow_ = -1;
    showFavourites();
    applyModeRules();
}

void LocationsPage::applyModeRules() {
    const bool turkish = mode_ == TurkishPlaces;
    const bool search = mode_ == Search;
    const bool favourites = mode_ == FavouritePlaces;

    view_.setEnabled(C::Label4, turkish);
    view_.setEnabled(C::ComboBox1, turkish);
    view_.setEnabled(C::Button3, turkish && InRange(turkishRow_, turkishPlaces_));

    for (C control : {C::Label8, C::Edit2, C::Label9, C::Label10, C::Label12, C::ListBox1})
        view_.setEnabled(control, search);
    view_.setEnabled(C::Button4, search && InRange(resultRow_, results_));
    view_.setEnabled(C::Button5, search && !searchText_.empty());

    view_.setEnabled(C::ListBox2, favourites);
    const bool favouriteSelected = favourites && InRange(favouriteRow_, favourites_.places());
    view_.setEnabled(C::Button6, favouriteSelected);
    view_.setEnabled(C::Button7, favouriteSelected);
}

void LocationsPage::modeChosen(int mode) {
    if (mode < TurkishPlaces || mode > FavouritePlaces)
        return;
    mode_ = mode;
    view_.setChecked(C::RadioButton1, mode == TurkishPlaces);
    view_.setChecked(C::RadioButton2, mode == Search);
    view_.setChecked(C::RadioButton3, mode == FavouritePlaces);
    applyModeRules();
    if (mode == TurkishPlaces)
        view_.setFocus(C::ComboBox1);
    else if (mode == Search)
        view_.setFocus(C::Edit2);
}

void LocationsPage::turkishPlaceChosen(int row) {
    turkishRow_ = RowOrNone(row, turkishPlaces_);
    locationChosen_ = true;
    applyModeRules();
}

void LocationsPage::searchTextChanged(const std::string& text) {
    searchText_ = text;
    applyModeRules();
}

void LocationsPage::searchFocusChanged(bool gained) {
    searchIsDefault_ = gained;
    view_.setDefaultButton(gained ? C::Button5 : C::Button1);
}

void LocationsPage::search() {
    if (mode_ != Search || searchText_.empty())
        return;
    results_.clear();
    resultRow_ = -1;
    view_.setItems(C::ListBox1, {});
    view_.setEnabled(C::Button5, false);
    view_.setBusy(true);

    std::string body;
    bool arrived = false;
    try {
        arrived = host_.download(PlanSearchDownload(endpoints_, searchText_), body);
    } catch (...) {
        view_.setBusy(false);
        applyModeRules();
        throw;
    }
    view_.setBusy(false);
    applyModeRules();
    // No answer at all: the old count stays, and nothing is said about the network.
    if (!arrived)
        return;

    results_ = ReadSearchResults(body, [this] { return host_.createDocument(); });
    view_.setText(C::Label10, SearchCountText(static_cast<int>(results_.size())));
    view_.setItems(C::ListBox1, PlaceNames(results_));
    view_.setSelection(C::ListBox1, -1);
    applyModeRules();
}

void LocationsPage::resultClicked(int row) {
    resultRow_ = RowOrNone(row, results_);
    locationChosen_ = true;
    applyModeRules();
}

void LocationsPage::favouriteClicked(int row) {
    favouriteRow_ = RowOrNone(row, favourites_.places());
    locationChosen_ = true;
    applyModeRules();
}

void LocationsPage::addTurkishPlace() { addFavourite(turkishPlaces_, turkishRow_); }

void LocationsPage::addResult() { addFavourite(results_, resultRow_); }

void LocationsPage::addFavourite(const PlaceList& list, int row) {
    if (!InRange(row, list))
        return;
    const ListedPlace& place = list[static_cast<std::size_t>(row)];
    const int added = favourites_.add(place);
    if (added < 0) {
        view_.showError("\"" + place.name + "\" favorilerim listesine zaten eklenmiş.");
        return;
    }
    // The selected favourite stays selected, wherever the new one went.
    if (favouriteRow_ >= added)
        ++favouriteRow_;
    favouritesChanged_ = true;
    showFavourites();
    applyModeRules();
}

void LocationsPage::deleteFavourite() {
    if (!InRange(favouriteRow_, favourites_.places()))
        return;
    favourites_.removeAt(favouriteRow_);
    favouritesChanged_ = true;
    if (favouriteRow_ >= favourites_.size())
        favouriteRow_ = favourites_.size() - 1;
    showFavourites();
    applyModeRules();
}

void LocationsPage::deleteAllFavourites() {
    favourites_.clear();
    favouriteRow_ = -1;
    favouritesChanged_ = true;
    showFavourites();
    applyModeRules();
}

void LocationsPage::showFavourites() {
    view_.setItems(C::ListBox2, PlaceNames(favourites_.places()));
    view_.setSelection(C::ListBox2, favouriteRow_);
}

const ListedPlace* LocationsPage::chosenPlace() const {
    const PlaceList* list = nullptr;
    int row = -1;
    switch (mode_) {
    case TurkishPlaces:
        list = &turkishPlaces_;
        row = turkishRow_;
        break;
    case Search:
        list = &results_;
        row = resultRow_;
        break;
    default:
        list = &favourites_.places();
        row = favouriteRow_;
        break;
    }
    return InRange(row, *list) ? &(*list)[static_cast<std::size_t>(row)] : nullptr;
}

void LocationsPage::saveLocation(SettingsFile& settings) const {
    if (!locationChosen_)
        return;
    const ListedPlace* place = chosenPlace();
    if (!place || place->name.empty() || place->code.empty())
        return;
    settings.writeText(keys::CityName, place->name);
    settings.writeText(keys::CityID, place->code);
}

void LocationsPage::saveFavourites(SettingsFile& settings) const {
    if (!favouritesChanged_)
        return;
    settings.eraseSection(sections::Favorites);
    for (const ListedPlace& place : favourites_.places())
        // A nameless entry has no key to be written under.
        if (!place.name.empty())
            settings.writeText(sections::Favorites, place.name, place.code);
}

} // namespace meltemix
