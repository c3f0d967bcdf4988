// Pictures drawn from SVG documents, kept in the cache folder between runs.
// Drawing the navigator's menu map (a hundred texts) costs more than the rest
// of start-up's drawing together; reading its pixels back costs next to nothing.
#pragma once

#include <string>
#include <string_view>

#include "runtime/graphics_target.h"

namespace rt {

// The cache file of the picture drawn from the document `document`: named by a
// hash of the document, the SVG library's version and the drawing resolution,
// so that any change draws it anew.
std::string PictureCachePath(std::string_view document);

// The picture a cache file's bytes hold, or null when they are not a whole
// cache file (a short, foreign or damaged file is drawn anew, never shown).
SurfacePtr ReadCachedPicture(std::string_view bytes);

// The picture kept in the cache file `path`, or null when there is none to
// show (no file, or not a whole cache file).
SurfacePtr LoadCachedPicture(const std::string& path);

// Keeps `picture` under `path`, written beside it and renamed over it, so a
// reader never sees half a file. Failing to keep it loses nothing: the
// picture is drawn again next time.
void WriteCachedPicture(const std::string& path, cairo_surface_t* picture);

}  // namespace rt
