#include "engine/build/sql/SqlValue.h"

#include "engine/script/CodePage.h"
#include "engine/script/LocaleService.h"

#include <QDateTime>
#include <limits>

namespace vl {

TFieldType FieldTypeOf(QMetaType type) {
    switch (type.id()) {
    case QMetaType::Bool:
        return TFieldType::ftBoolean;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return TFieldType::ftInteger;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return TFieldType::ftLargeInt;
    case QMetaType::Double:
    case QMetaType::Float:
        return TFieldType::ftFloat;
    case QMetaType::QDate:
    case QMetaType::QTime:
    case QMetaType::QDateTime:
        return TFieldType::ftDateTime;
    case QMetaType::QByteArray:
        return TFieldType::ftBlob;
    case QMetaType::QString:
        return TFieldType::ftString;
    default:
        return TFieldType::ftUnknown;
    }
}

namespace {

Variant fromLongLong(qlonglong v) {
    if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
        return Variant(static_cast<int>(v));
    return Variant(static_cast<double>(v));
}

Variant fromDateTime(const QDateTime& moment) {
    return Variant::dateTime(DateTimeToOleDate(moment));
}

} // namespace

Variant VariantFromSql(const QVariant& value) {
    if (value.isNull()) return Variant();
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return Variant(value.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return Variant(value.toInt());
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return fromLongLong(value.toLongLong());
    case QMetaType::ULongLong:
        return Variant(value.toDouble());
    case QMetaType::Double:
    case QMetaType::Float:
        return Variant(value.toDouble());
    case QMetaType::QDate:
        return fromDateTime(QDateTime(value.toDate(), QTime(0, 0)));
    case QMetaType::QTime:
        return fromDateTime(QDateTime(QDate(1899, 12, 30), value.toTime()));
    case QMetaType::QDateTime:
        return fromDateTime(value.toDateTime());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return Variant(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    default:
        return Variant(FromQt(value.toString()));
    }
}

QVariant SqlValueOf(const Variant& value) {
    switch (value.kind()) {
    case Variant::Kind::Null:
        return QVariant();
    case Variant::Kind::Boolean:
        return QVariant(value.toBool());
    case Variant::Kind::Integer:
        return QVariant(value.toInt());
    case Variant::Kind::Double:
        return QVariant(value.toDouble());
    case Variant::Kind::DateTime:
        return QVariant(OleDateToDateTime(value.toDateTime()));
    case Variant::Kind::String:
        break;
    }
    return QVariant(ToQt(value.toString()));
}

} // namespace vl
