#pragma once

#include <QFile>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#include "WordList.h"

// The benchmarks' word file: one word a line, as a user would type them.
inline QStringList benchLines(qsizetype count = -1) {
    QFile file(QStringLiteral(SOPALY_BENCH_WORDS));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", SOPALY_BENCH_WORDS);
        std::exit(1);
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    if (count >= 0 && count < lines.size()) lines.resize(count);
    return lines;
}

// The first `count` of them as the word list holds them once Enter has
// committed each: trimmed, in capitals, in alphabetical order.
inline QStringList benchList(qsizetype count = -1) {
    sopaly::WordList list;
    for (const QString& line : benchLines(count)) {
        if (const auto word = sopaly::committedWord(line)) list.add(*word);
    }
    return list.words();
}
