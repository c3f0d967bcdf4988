// The edit of the parcel in hand from the division menu: change, insert and
// exclude vertices of its list, register the outline in "K.D", or open "K.D"
// in the text editor.
#pragma once

#include <optional>
#include <vector>

#include "core/control.h"

struct App;

// Shows the parcel (ShowDivisionTarget) and asks
// " 1:点変更  2:点挿入  3:点除外  4:画地登録  5:ｴﾃﾞｨﾀ "; any other answer goes
// back to the division menu.
Jump ParcelEditMenu(App& app);

namespace area {

// The vertex list operations on the point numbers of the vertices, in order.
// The first occurrence of a repeated vertex is the one found.
std::optional<int> FindVertex(const std::vector<int>& list, int number);
// `number` directly after position `p`.
std::vector<int> InsertVertexAfter(std::vector<int> list, int p, int number);
// The list without position `p`.
std::vector<int> ExcludeVertex(std::vector<int> list, int p);

}  // namespace area
