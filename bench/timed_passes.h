#pragma once
// The clock's part that the load benchmarks share, each a function of its own so that an
// instruction count can be limited to it (callgrind --toggle-collect='*Timed*'). After loading,
// every system answers the first hit and fallback and, with Pass, every key of the pass; each
// gives the sum of its answers' lengths: UTF-16 code units for ours, UTF-8 bytes for the peers;
// none when nothing loaded.
#include <cstddef>
#include <filesystem>

#ifdef LC_LRELEASE
#include <QString>
#include <QTranslator>
#endif

#include "bench_table.h"

// Our component, once its table has loaded: sets Russian active and asks.
size_t AskOurs(TlcLang& Lang, const TKeyLiterals* Pass);
size_t TimedGettext(const std::filesystem::path& Dir, const char* Domain, const TKeyLiterals* Pass);
#ifdef LC_LRELEASE
size_t TimedQt(QTranslator& EnTranslator, const QString& En, QTranslator& RuTranslator,
               const QString& Ru, const TKeyLiterals* Pass);
#endif
