#pragma once

// Small tools the window tests share.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cstdint>

#include "Random.h"

// A clock that moves on by a prime at every reading, so that each reseed of
// a seeded run draws differently and every run draws the same.
inline sopaly::Random::Clock steppingClock() {
    return [now = std::uint64_t{1}]() mutable { return now += 104729; };
}

// Writes a small real file, its folder made when missing.
inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
