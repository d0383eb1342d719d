#pragma once
// The --size WxH option of the commands that paint pictures.
#include <QSize>
#include <string>

constexpr QSize kDefaultPictureSize(1200, 900);
// Each side of a picture is at most this many pixels.
constexpr int kMaxPictureSide = 16384;

// Reads "WxH" (or "WXH") into size. Returns false, leaving size as it was,
// unless both are whole numbers from 1 to kMaxPictureSide.
bool ParsePictureSize(const std::string& text, QSize& size);
// What --size takes, for the message that refuses another value.
std::string PictureSizeRule();
