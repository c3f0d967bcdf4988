// The parcel chooser that the parcel commands ask before each parcel.
#pragma once

struct App;

// Adds the area of the parcel just finished (ParcelArea, cut to hundredths) to
// the command's totals, walks the parcel file (listing, labels, summary line)
// and asks "地番= ". Returns with ParcelSource 2 and the vertices of a
// registered parcel in SelectionList (a series "=" or "prefix=" delivers one per
// call in file order), ParcelSource 1 with a new parcel's "D00," record written
// and "K.D" open for append as number 4, or ParcelSource 0 and an empty
// CurrentLotNumber for Enter alone. "K" deletes parcels, "V" edits "K.D" in the
// text editor, "Q" leaves for the area menu. In ParcelDeletionMode it asks
// "削除地番= " and returns "@" + the land number, or an empty one.
void EditParcelRegister(App& app);

// Opens "K.D" in the text editor of the settings (guide 250) and waits for it;
// the parcel labels are read again at the next walk.
void EditParcelFileInEditor(App& app);
