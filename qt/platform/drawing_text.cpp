#include "qt/platform/drawing_text.h"

#include <QStringDecoder>

namespace {

bool IsValidUtf8(const std::string& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString ignored = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return !utf8.hasError();
}

}  // namespace

bool HasGbkDecoder() {
  static const bool available = QStringDecoder("GBK").isValid();
  return available;
}

QString DecodeDrawingText(const std::string& bytes) {
  QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  if (IsValidUtf8(bytes)) return QString::fromUtf8(view);
  if (HasGbkDecoder()) {
    QStringDecoder gbk("GBK");
    return gbk.decode(view);
  }
  return QString::fromLatin1(view);
}
