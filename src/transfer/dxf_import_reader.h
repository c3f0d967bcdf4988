// The reader of the DXF import: a drawing in the DXF text format read as strict
// pairs of a group-code line and a value line, into the names of its layer
// table and the entities of its ENTITIES section. Texts come out in CP932,
// decoded by the drawing's version and code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace transfer {

// One entity of the ENTITIES section with the groups the import reads; a group
// the entity does not hold stays empty. Texts are CP932.
struct DxfEntity {
  std::string kind;                     // group 0: "LINE", "POINT", ...
  std::optional<std::string> layer;     // 8
  std::optional<std::string> lineType;  // 6
  // 10, 20, 30 and 11, 21, 31: the drawing's x, y and z of the first and the
  // second point; 40 the radius; 50 and 51 the start and end angle (degrees).
  std::optional<double> x1, y1, z1, x2, y2, z2, radius, startAngle, endAngle;
};

struct DxfDrawing {
  std::vector<std::string> layers;  // the LAYER table's names in file order
  std::vector<DxfEntity> entities;  // in file order, every kind
  // Characters of the layer and line-type names that have no Shift-JIS form
  // and became "?" (each distinct text counted once).
  int replacedCharacters = 0;
  // Empty when the drawing was read; otherwise why it was refused (CP932),
  // and nothing else is filled.
  std::string refusal;
};

// Reads a whole DXF text drawing. Lines end in CR LF or LF; a group-code line
// is a whole number with any blanks around it, and every value line is
// trimmed. The drawing ends at the pair (0, EOF). An empty file, a group code
// that is no number, a code without its value line and a drawing that ends
// before its EOF are refused.
//
// Texts: AC1021 and later drawings are UTF-8; earlier ones are in the code page
// of $DWGCODEPAGE (ANSI_932, as the program writes, or none: CP932; ANSI_<n>:
// Windows code page n); "\U+XXXX" stands for that character in any version.
// Layers come from the LAYER table only; the BLOCKS section is passed over
// whole, so block definitions give no entities.
DxfDrawing ReadDxfDrawing(std::string_view bytes);

// A DXF text in `coding` ("UTF-8", "CP932" or an iconv code page name) as
// CP932, "\U+XXXX" escapes resolved; a character without a Shift-JIS form
// becomes "?" and is counted in `replaced`.
std::string DxfTextToCp932(std::string_view text, const std::string& coding, int& replaced);

// The value of a numeric group: the number the text begins with, 0 for a text
// that is no number; infinite for a number beyond the range of a double (one
// too small for it is 0).
double DxfNumber(std::string_view value);

}  // namespace transfer
