#pragma once

#include "core/options/OptionsView.h"
#include "core/options/Places.h"
#include "core/settings/Endpoints.h"
#include "core/settings/SettingsFile.h"

#include <string>

namespace meltemix {

// The "Şehirler" page of the options dialog: the choice of place from the Turkish list,
// a world-wide search or the favourites, and the favourites themselves.
class LocationsPage {
public:
    enum Mode { TurkishPlaces = 0, Search = 1, FavouritePlaces = 2 };

    // `endpoints` say where the location search is asked.
    LocationsPage(OptionsView& view, OptionsHost& host, Endpoints endpoints);

    // The page as it starts: the Turkish list's mode, nothing chosen.
    void start();
    // The Turkish places and the favourites from the settings file.
    void fill(const SettingsFile& settings);
    // CityName and CityID, when a place was chosen and has both a name and a code.
    void saveLocation(SettingsFile& settings) const;
    // The whole Favorites section, when the favourites were changed.
    void saveFavourites(SettingsFile& settings) const;

    void modeChosen(int mode);
    void turkishPlaceChosen(int row);
    void searchTextChanged(const std::string& text);
    void searchFocusChanged(bool gained);
    void search();
    void resultClicked(int row);
    void favouriteClicked(int row);
    void addTurkishPlace();
    void addResult();
    void deleteFavourite();
    void deleteAllFavourites();

    bool locationChosen() const { return locationChosen_; }
    bool favouritesChanged() const { return favouritesChanged_; }
    // While the search box or its button has the focus Enter searches instead of saving.
    bool searchIsDefault() const { return searchIsDefault_; }

private:
    void applyModeRules();
    void addFavourite(const PlaceList& list, int row);
    void showFavourites();
    const ListedPlace* chosenPlace() const;

    OptionsView& view_;
    OptionsHost& host_;
    Endpoints endpoints_;

    int mode_ = TurkishPlaces;
    PlaceList turkishPlaces_;
    PlaceList results_;
    Favourites favourites_;
    int turkishRow_ = -1;
    int resultRow_ = -1;
    int favouriteRow_ = -1;
    std::string searchText_;
    bool searchIsDefault_ = false;
    bool locationChosen_ = false;
    bool favouritesChanged_ = false;
};

} // namespace meltemix
