#pragma once

#include "lessontool/wordlist.h"

#include <QByteArray>

// A KVTML 2.0 document: the English and Czech translations are found by their
// identifiers' locales ("en", "cs", also with a region such as "en_GB"), never by their
// order. An entry takes its pronunciation, note and example from the English translation
// (the note from the Czech one when the English has none), the example's translation from
// the Czech one, and its part of speech from the word-type container that lists it.
WordList ReadKvtml(const QByteArray& bytes);
