// The parcel chooser that the parcel commands ask before each parcel.
#pragma once

struct App;

// Adds the area of the parcel just finished (ParcelArea, cut to hundredths) to
// the command's totals, asks "地番= " and returns with ParcelSource 0 and an
// empty CurrentLotNumber for Enter alone (the points are then taken by hand);
// "Q" leaves for the area menu. The report gets an empty line and the
// land-number line of each parcel taken up, after a page break from the second
// on.
//
// TEMPORARY: registered parcels (the parcel file "K.D", its listing, series,
// deletion and editor) are not built yet; any other answer says so and asks
// again.
void EditParcelRegister(App& app);
