// The entities of a drawing as python3-ezdxf (Debian's, under /usr/bin/python3)
// reads them, with their geometry: one line per entity, "KIND layer" followed
// by its numbers and text, for tests that place records by their coordinates.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "runtime/temp_folder.h"
#include "support/dxf_reader.h"

namespace dxf_entities {

inline constexpr const char* kScript = R"PY(
import sys
import ezdxf
from ezdxf import recover
doc, auditor = recover.readfile(sys.argv[1])
print("read-errors", len(auditor.errors))
print("audit-errors", len(doc.audit().errors))
def z(e, name):
    return e.dxf.get(name)[2] if e.dxf.hasattr(name) else 0.0
for e in doc.modelspace():
    t = e.dxftype()
    if t == "POINT":
        p = e.dxf.location
        print("POINT", e.dxf.layer, "%.6f %.6f %.6f" % (p[0], p[1], p[2]))
    elif t == "CIRCLE":
        c = e.dxf.center
        print("CIRCLE", e.dxf.layer, "%.6f %.6f %.6f %.6f" % (c[0], c[1], c[2], e.dxf.radius))
    elif t == "POLYLINE":
        print("POLYLINE", e.dxf.layer, " ".join("%.6f,%.6f" % (v.dxf.location[0], v.dxf.location[1]) for v in e.vertices))
    elif t == "TEXT":
        i = e.dxf.insert
        print("TEXT", e.dxf.layer, "%.6f %.6f %.6f %.6f %.6f %.6f" % (i[0], i[1], i[2], e.dxf.height, e.dxf.width, e.dxf.rotation), e.dxf.text)
    elif t == "LINE":
        a, b = e.dxf.start, e.dxf.end
        print("LINE", e.dxf.layer, "%.6f %.6f %.6f %.6f" % (a[0], a[1], b[0], b[1]))
    else:
        print(t, e.dxf.layer)
)PY";

// One entity as read.
struct Entity {
  std::string kind, layer;
  // POINT x y z; CIRCLE x y z r; TEXT x y z height width rotation; LINE x1 y1 x2 y2
  std::vector<double> numbers;
  std::vector<std::pair<double, double>> vertices;  // POLYLINE
  std::string text;                                 // TEXT
};

struct Drawing {
  int readErrors = -1, auditErrors = -1;
  std::vector<Entity> entities;
  std::string all;  // what the reader printed, for messages

  std::vector<Entity> On(const std::string& layer, const std::string& kind = "") const {
    std::vector<Entity> found;
    for (const Entity& e : entities) {
      if (e.layer == layer && (kind.empty() || e.kind == kind)) found.push_back(e);
    }
    return found;
  }
  size_t Count(const std::string& kind) const {
    size_t n = 0;
    for (const Entity& e : entities) n += e.kind == kind;
    return n;
  }
};

inline Drawing Read(const std::string& path) {
  Drawing d;
  const std::vector<std::string> lines = dxf_reader::RunScript(kScript, path);
  for (const std::string& l : lines) {
    d.all += l + "\n";
    std::istringstream in(l);
    Entity e;
    in >> e.kind;
    if (e.kind == "read-errors") {
      in >> d.readErrors;
      continue;
    }
    if (e.kind == "audit-errors") {
      in >> d.auditErrors;
      continue;
    }
    in >> e.layer;
    if (e.kind == "POLYLINE") {
      std::string pair;
      while (in >> pair) {
        const size_t comma = pair.find(',');
        e.vertices.emplace_back(std::stod(pair.substr(0, comma)), std::stod(pair.substr(comma + 1)));
      }
    } else {
      const int count = e.kind == "POINT" ? 3 : e.kind == "CIRCLE" ? 4 : e.kind == "TEXT" ? 6 : e.kind == "LINE" ? 4 : 0;
      for (int k = 0; k < count; ++k) {
        double v = 0;
        in >> v;
        e.numbers.push_back(v);
      }
      if (e.kind == "TEXT") {
        in.get();
        std::getline(in, e.text);
      }
    }
    d.entities.push_back(e);
  }
  return d;
}

}  // namespace dxf_entities
