// The closure of a connecting or closed traverse block of the field-book
// calculation.
#pragma once

struct App;

// Nothing unless TraverseInputKind is 3 or more. A connecting or closed block
// cannot be closed and adjusted yet: NOT AVAILABLE YET. The user is told so,
// nothing of the block is registered, and FieldBookRecordIndex is left on the
// block's last record, so that the calculation goes on after it.
void ComputeFieldBookClosure(App& app);
