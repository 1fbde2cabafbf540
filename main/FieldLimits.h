#pragma once

enum class EntryKind;

// How many characters an entry field takes. Typing and pasting stop there, and a data file
// with a longer value is refused before the value reaches a widget. No résumé line needs
// more than two thousand characters; the closing sentence has its own, shorter limit.
// Phones, dates and lists have no limit of their own here: their mask, calendar or items
// bound them already (0).
int fieldMaxLength(EntryKind kind);
