// A drawing read back by python3-ezdxf (Debian's, under /usr/bin/python3), a DXF reader the program did not write:
// its recovering reader and its audit, and what it reads of the header, the
// line types, the layers, the texts and the geometry of lines, points, circles,
// arcs and polylines, as lines of UTF-8 text.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "runtime/temp_folder.h"

namespace dxf_reader {

inline constexpr const char* kScript = R"PY(
import sys
import ezdxf
from ezdxf import recover
doc, auditor = recover.readfile(sys.argv[1])
print("read-errors", len(auditor.errors))
print("audit-errors", len(doc.audit().errors))
print("encoding", doc.encoding)
print("extmax", *doc.header.get("$EXTMAX", (0, 0, 0))[:2])
for lt in doc.linetypes:
    print("ltype", lt.dxf.name, lt.dxf.description, repr(list(lt.pattern_tags.tags)) if hasattr(lt, "pattern_tags") else "")
for layer in doc.layers:
    print("layer", layer.dxf.name, layer.dxf.color)
for e in doc.modelspace():
    if e.dxftype() == "TEXT":
        print("text", e.dxf.layer, e.dxf.insert[0], e.dxf.insert[1], e.dxf.height, e.dxf.text)
        print("textangle", e.dxf.layer, e.dxf.rotation, e.dxf.text)
    else:
        print("entity", e.dxftype(), e.dxf.layer)
    kind, layer, ltype = e.dxftype(), e.dxf.layer, e.dxf.get("linetype", "BYLAYER")
    if kind == "LINE":
        print("line", layer, ltype, e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y)
    elif kind == "POINT":
        print("point", layer, e.dxf.location.x, e.dxf.location.y)
    elif kind == "CIRCLE":
        print("circle", layer, ltype, e.dxf.center.x, e.dxf.center.y, e.dxf.radius)
    elif kind == "ARC":
        print("arc", layer, ltype, e.dxf.center.x, e.dxf.center.y, e.dxf.radius, e.dxf.start_angle,
              e.dxf.end_angle, e.start_point.x, e.start_point.y, e.end_point.x, e.end_point.y)
    elif kind == "POLYLINE":
        print("polyline", layer, ltype, len(e.vertices),
              *[c for v in e.vertices for c in (v.dxf.location.x, v.dxf.location.y)])
)PY";

// The lines a python3 `script` prints for the drawing at `path` (its only
// argument), its errors among them.
inline std::vector<std::string> RunScript(const char* script, const std::string& path) {
  const TempFolder folder;
  WriteHostFile(folder / "read_dxf.py", script);
  const std::string command = "/usr/bin/python3 '" + (folder / "read_dxf.py") + "' '" + path + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::vector<std::string> lines;
  if (!pipe) return {"failed popen"};
  std::string line;
  for (int c; (c = std::fgetc(pipe.get())) != EOF;) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += static_cast<char>(c);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The lines ezdxf prints for the drawing at `path`; "failed" and the message
// when the reader gave up.
inline std::vector<std::string> Read(const std::string& path) { return RunScript(kScript, path); }

// The lines that begin with `key` and a blank, without them.
inline std::vector<std::string> With(const std::vector<std::string>& lines, const std::string& key) {
  std::vector<std::string> out;
  for (const std::string& l : lines) {
    if (l.starts_with(key + " ")) out.push_back(l.substr(key.size() + 1));
  }
  return out;
}

}  // namespace dxf_reader
