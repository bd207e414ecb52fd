#pragma once

#include <string>

namespace quillon::results {

class CountPanel;
class ResultsTable;
class RowSelection;

// What a key pressed in the results list asks of the table. The window maps its keys:
// Ctrl+A with no other modifier selects all, Delete with any modifiers deletes the
// selected rows, every other key is OtherKey.
enum class ListKeyCommand { SelectAll, DeleteSelected, OtherKey };

// The count panel's text after a key press in the list: the row count and
// " líneas capturadas", whatever directory the rows came from.
std::string keyCountText(int count);

// A key pressed in the results list. SelectAll selects every row and does nothing more;
// DeleteSelected removes the selected rows; every command but SelectAll then rewrites
// the count panel. The key is not consumed: the list's own handling goes on afterwards.
void applyListKey(ResultsTable& table, CountPanel& countPanel, RowSelection& selection,
                  ListKeyCommand command);

}  // namespace quillon::results
