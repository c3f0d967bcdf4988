#include "files/parcel_records.h"

#include "runtime/numtext.h"

namespace area {
namespace {

// The fields of a record after its tag, by count; missing ones (the file ended
// inside the record) are empty.
class FieldCursor {
 public:
  explicit FieldCursor(const std::vector<std::string>& fields) : fields_(fields) {}
  bool AtEnd() const { return next_ >= fields_.size(); }
  const std::string& Next() {
    static const std::string kNone;
    return AtEnd() ? kNone : fields_[next_++];
  }
  StoredVertex Vertex() {
    StoredVertex v;
    v.number = RtVal(Next());
    v.name = Next();
    return v;
  }

 private:
  const std::vector<std::string>& fields_;
  size_t next_ = 0;
};

}  // namespace

std::vector<StoredParcel> ParseParcelFields(const std::vector<std::string>& fields) {
  std::vector<StoredParcel> parcels;
  FieldCursor in(fields);
  bool inside = false;
  bool inTriangles = false;
  while (!in.AtEnd()) {
    const std::string& field = in.Next();
    if (field == "D00") {
      StoredParcel p;
      in.Next();  // the parcel number: numbered afresh by position
      p.lot = in.Next();
      p.kind = in.Next();
      if (p.lot.empty()) p.lot = "*" + std::to_string(parcels.size() + 1);
      parcels.push_back(std::move(p));
      inside = true;
      inTriangles = false;
      continue;
    }
    if (!inside) continue;
    StoredParcel& p = parcels.back();
    if (field == "D99") {
      p.closed = true;
      inside = false;
    } else if (field == "B01" && !inTriangles) {
      p.boundary.push_back(in.Vertex());
    } else if (field == "E00") {
      p.hasTriangleBlock = true;
      inTriangles = true;
    } else if (field == "E01" && inTriangles) {
      for (int k = 0; k < 3; ++k) p.triangles.push_back(in.Vertex());
    } else if (field == "E99") {
      inTriangles = false;
    }
  }
  return parcels;
}

}  // namespace area
