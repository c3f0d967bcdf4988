// The records of the parcel work file "K.D" read back as parcels: the pure
// parser that the parcel commands and the job files share.
//
// A block is "D00," number, land number, kind; its "B01," point number, point
// name records in boundary order; optionally "E00,", one "E01," per triangle
// (three number-name pairs) and "E99,"; and "D99,". Every field, the last
// included, is followed by a comma; numbers stand in their print form (" 12 ").
#pragma once

#include <string>
#include <vector>

namespace area {

// A vertex as the file stores it: the point number then and its name without
// leading blanks.
struct StoredVertex {
  double number = 0;
  std::string name;
};

struct StoredParcel {
  std::string lot;   // as listed: an empty stored land number is "*" + position
  std::string kind;  // "1" closed, "2" open
  std::vector<StoredVertex> boundary;
  bool hasTriangleBlock = false;         // an "E00" was read
  std::vector<StoredVertex> triangles;   // three per "E01"
  bool closed = false;                   // ended by its "D99"
};

// The parcels of the file's fields (as the comma-field reader returns them, in
// order). Fields that are not the tag expected are passed over, a record's
// fields are taken by count so extra fields and other records are skipped. A
// block that another "D00" or the end of the file interrupts ends there (it is
// a parcel of its own, never merged with the next one).
std::vector<StoredParcel> ParseParcelFields(const std::vector<std::string>& fields);

}  // namespace area
