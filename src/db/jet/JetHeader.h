#pragma once

#include <QString>

// The facts of a Jet file's first page that can be judged without libmdb.
struct JetHeader
{
    enum class Kind
    {
        Empty,
        Foreign,
        Ace,
        Jet3,
        Jet4
    };

    Kind kind = Kind::Foreign;
    qint64 fileSize = 0;

    int PageSize() const { return kind == Kind::Jet3 ? 2048 : 4096; }
    bool IsJet() const { return kind == Kind::Jet3 || kind == Kind::Jet4; }

    // Reads the signature of the file; a file that cannot be read is Foreign.
    static JetHeader Read(const QString& path);
};
