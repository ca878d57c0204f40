#include "cp1250.h"

#include "platform/codepage/cp1250.h"

namespace lirma::ini {

QString decodeCp1250(QByteArrayView bytes) {
    return QString::fromStdString(codepage::utf8FromCp1250(std::string_view(bytes.data(), size_t(bytes.size()))));
}

QByteArray encodeCp1250(QStringView text) {
    return QByteArray::fromStdString(codepage::cp1250FromUtf8(text.toUtf8().toStdString()));
}

} // namespace lirma::ini
