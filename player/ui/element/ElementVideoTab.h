// The right-hand tabs of the main window: the play list ("tab-video-list") and the
// newest videos ("tab-newest-video"), both lists of "li" items.
//
// Play-list items carry the file's title as text and its "path"; the playing one has
// the id "playing-video". The play list follows the play-list model, which every
// change made here keeps in step.
//
// Newest-video items come from the catalogue, in order, with a separator item between
// two; one item at most is shown expanded, with its brief in the page's tooltip
// element "brief-tooltip".
//
// Operations on an item take the element that is or lies inside it (a click's target).
#pragma once

#include "element/Element.h"
#include "htmlayout/dom.h"

struct WEB_INFO_NEWESE_VIDEO;

class CElementVideoTab : public CElement {
public:
    using CElement::CElement;

    void ClearPlayingMark();
    // The first item of the path (ignoring case) becomes the playing one, scrolled to the top.
    void MarkPlayingByPath(const CString& path);
    // Appends an item unless the path is listed; with mark it becomes the playing one.
    void AddPlayListItem(const CString& path, const CString& title, bool mark);
    // As AddPlayListItem; where the page has the play list's tab, it also shows that
    // tab and adds the path to the model.
    void AddItemAndShowList(const CString& path, const CString& title, bool mark);
    // Marks the item playing and asks for its file to be played.
    void PlayItem(HELEMENT he);
    // Exchanges the item with its next (previous) one, in the model and on the page.
    void MoveItemDown(HELEMENT he);
    void MoveItemUp(HELEMENT he);
    // Removes the item from the model and the page.
    void DeleteItem(HELEMENT he);
    void RemoveItemByPath(const CString& path);
    // Empties the page's list; when it held items, CMD_CLEAR_PLAY_LIST goes out with the flag.
    void RemoveAllItems(bool flag);
    // The page's list anew from the stored play list.
    void ReloadItems();
    // In the main window only: the list in natural order of the titles, the model too.
    void SortItems();

    // Appends the catalogue's record; the first one is expanded at once.
    void AddNewestItem(const WEB_INFO_NEWESE_VIDEO& record);
    // Expands the item of the list (collapsing the one expanded before).
    void ShowNewestItemDetails(const CString& listId, HELEMENT he);
    // In the main window only: the play dialog opens the expanded item's page.
    void OpenCurrentNewestItem();

private:
    htmlayout::dom::element PlayList() const;
    void SetPlayingItem(HELEMENT item);
    void SwapWithSibling(HELEMENT he, bool next);
    bool InMainWindow() const;
    void CollapseNewestItem(const htmlayout::dom::element& list);
};

// Asks for the file of the item (the element or the nearest ancestor with a "path") to
// be played, changing no mark.
void PlayItemPath(HELEMENT he);
