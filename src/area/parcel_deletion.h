// Deleting registered parcels: the block leaves "K.D" and its outline leaves
// the area lines.
#pragma once

#include <string>
#include <vector>

struct App;

namespace area {

// The file's lines without the first block whose land number is `lot` (an
// empty stored land number counts as "*" + the parcel's position). A record is
// known by its first field; the block ends at its "D99" line, at the next "D00"
// line (a block left unfinished) or at the end of the file.
struct BlockDeletion {
  std::vector<std::string> kept;
  bool deleted = false;
  std::string kind;                      // of the block deleted
  std::vector<std::string> boundary[2];  // the "B01" records' point numbers and names
};
BlockDeletion DeleteParcelBlock(const std::vector<std::string>& lines, const std::string& lot);

}  // namespace area

// The register's "K": asks "削除地番= " (through EditParcelRegister in
// ParcelDeletionMode) and deletes each land number given, until Enter alone.
void DeleteParcelCommand(App& app);
// Deletes the parcel of CurrentLotNumber (without "@") from "K.D", switches its
// outline segments off and leaves CurrentLotNumber "\" when a block went. The
// file is rewritten through "K.DD" and replaced only when the copy is whole.
void DeleteParcelFromFile(App& app);
