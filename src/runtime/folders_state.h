#pragma once

// The folder the process was in before the program first changed it. It is
// entered again when the runtime ends, so that one runtime's folder changes do
// not leak into the next (tests make many runtimes in one process).
struct FolderState {
  FolderState() = default;
  FolderState(const FolderState&) = delete;
  FolderState& operator=(const FolderState&) = delete;
  ~FolderState();

  int startFolder = -1;  // descriptor of that folder, -1 until the first change
};
