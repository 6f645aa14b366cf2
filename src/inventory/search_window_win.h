// The search window "Prozess suchen" (window 3): looks the definitions up by part of a
// name and shows a found definition's description.
#pragma once

#include <string>

namespace kelvaro {

// Command 2: opens the search window, empty; an open one is closed first.
void OpenSearchWindow();
// Its close box.
void CloseSearchWindow();

// Window 3's layout: fits the controls that follow the window's size to its inner size.
void LayOutSearchWindow();

// Fills the result list with the definitions whose name contains `text` (letter case
// significant), each row carrying its definition's list position and verdict colour. The
// result description is not changed.
void SearchDefinitions(const std::string& text);

// The search button: searches for the text of the search field.
void OnSearchButtonClicked();

// A change of the result list's selection: shows the selected definition's description. A
// row whose position is not in the definitions list leaves the description as it is.
void OnSearchResultSelected();

// To be called after new definitions were loaded: while the search window is open, runs
// the last search made in it again (with the text searched then), so that its rows carry
// positions in the new list. Does nothing when the window is closed or nothing has been
// searched in it yet.
void OnDefinitionsReloaded();

}  // namespace kelvaro
