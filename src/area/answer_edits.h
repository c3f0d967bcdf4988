// Small edits of the typed answer that the point questions share.
#pragma once

struct App;

// A point name of the default form begins with a blank, which a typed answer
// writes as "^": an Answer that begins with "^" becomes one blank followed by its
// bytes 2 to 13 (longer answers lose the rest); any other answer stays as it is.
void CaretToSpaceInAnswer(App& app);
