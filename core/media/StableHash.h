#pragma once

#include <QString>

// Names cached extractions and session files: 64-bit FNV-1a of the UTF-8 text, lowercase
// hexadecimal without leading zeros.
namespace StableHash {
QString hex(const QString& text);
}
