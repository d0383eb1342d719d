#pragma once
// Texts in drawings are bytes: UTF-8 in new files, the GBK code page in the
// drawings this format comes from. Decoding for display tries UTF-8 first.
#include <QString>
#include <string>

// The bytes as UTF-8 when they are valid UTF-8, else as GBK (through ICU);
// Latin-1 when this Qt has no GBK decoder.
QString DecodeDrawingText(const std::string& bytes);

// True when this Qt build can decode GBK.
bool HasGbkDecoder();
