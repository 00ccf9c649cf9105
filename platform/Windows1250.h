#pragma once

#include <QByteArray>
#include <QString>

// The Central European Windows code page, for text files made on Windows
// before they were UTF-8. The conversion is Qt's (ICU's "windows-1250"); this
// class adds what the profile and table readers rely on beyond it: a known
// replacement for characters the code page lacks and a strict UTF-8 check
// that tells the two encodings apart.
class Windows1250
{
public:
    // Every byte decodes to one character; the five bytes the code page
    // leaves undefined decode to the control character of the same number,
    // so that decoding and encoding again gives the bytes back.
    static QString decode(const QByteArray& bytes);

    // True if every character of `text` has a byte in the code page.
    static bool canEncode(const QString& text);
    // Characters without a byte become '?' (one per character, also for
    // characters outside the Basic Multilingual Plane).
    static QByteArray encode(const QString& text);

    // True if `bytes` is well-formed UTF-8 (overlong forms, surrogates and
    // values above U+10FFFF count as malformed).
    static bool isValidUtf8(const QByteArray& bytes);
};
