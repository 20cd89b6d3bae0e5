#pragma once

// The editor component's headers, included through here: they use Qt's plain "signals" and
// "slots" keywords, which this build turns off (QT_NO_KEYWORDS) for its own code.
#ifdef QT_NO_KEYWORDS
#define signals Q_SIGNALS
#define slots Q_SLOTS
#define QUILLORN_QSCI_KEYWORDS_DEFINED
#endif

#include <Qsci/qscidocument.h>
#include <Qsci/qscilexercss.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerjavascript.h>
#include <Qsci/qsciscintilla.h>
#include <Qsci/qsciscintillabase.h>

#ifdef QUILLORN_QSCI_KEYWORDS_DEFINED
#undef signals
#undef slots
#undef QUILLORN_QSCI_KEYWORDS_DEFINED
#endif
