// The head of every DXF drawing: the HEADER section with the paper as extents
// and limits, the TABLES section with the nine line types, the text style
// "KANJI" and the thirty layers, an empty BLOCKS section and the opening of the
// ENTITIES section, which the plots fill and the finish closes.
#pragma once

#include <string>

struct App;

namespace dxf {

// The head's lines (CR LF) for a paper of `paperWidth` by `paperHeight` metres;
// `profileMode` other than 0 names four layers after the longitudinal section.
// The HEADER declares the drawing version R12 and the Japanese code page, so
// that readers decode the Shift-JIS texts as such.
std::string HeadText(double paperWidth, double paperHeight, double profileMode);

// The line-type name of a connection line's type 0-8; any other number leaves
// `previous` as it was.
std::string LineTypeNameOf(double number, const std::string& previous);

}  // namespace dxf

// Writes the head to the drawing (file 6, open for output), from the drawing's
// paper and the longitudinal section's mode.
void WriteDxfHead(App& app);

// DxfLineTypeName := the name of line type DxfLineTypeNumber (unchanged for a
// number outside 0-8).
void GetLineTypeName(App& app);
