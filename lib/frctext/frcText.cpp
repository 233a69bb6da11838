#include "frcText.h"

#include "embeddedRecords.h"

#include <google/protobuf/descriptor.h>
#include <google/protobuf/dynamic_message.h>
#include <google/protobuf/io/tokenizer.h>
#include <google/protobuf/io/zero_copy_stream_impl_lite.h>
#include <google/protobuf/message.h>
#include <google/protobuf/text_format.h>

#include <cstdint>
#include <limits>
#include <memory>

namespace QKel::Frc {

namespace pb = google::protobuf;
using EmbeddedRecords::isEmbeddedDataField;
using EmbeddedRecords::newEmbeddedRecord;

namespace {

class TextWriter
{
public:
    void write(const pb::Message& message, int depth)
    {
        const pb::Reflection* reflection = message.GetReflection();
        std::vector<const pb::FieldDescriptor*> fields;
        reflection->ListFields(message, &fields);
        for (const pb::FieldDescriptor* field : fields) {
            const int count = field->is_repeated() ? reflection->FieldSize(message, field) : 1;
            for (int i = 0; i < count; ++i)
                writeField(message, field, field->is_repeated() ? i : -1, depth);
        }
    }

    std::string text;

private:
    void writeField(const pb::Message& message, const pb::FieldDescriptor* field, int index, int depth)
    {
        const std::string indent(2 * depth, ' ');
        const pb::Reflection* reflection = message.GetReflection();
        if (field->cpp_type() == pb::FieldDescriptor::CPPTYPE_MESSAGE) {
            const pb::Message& child = index < 0 ? reflection->GetMessage(message, field)
                                                 : reflection->GetRepeatedMessage(message, field, index);
            writeBlock(field->name(), child, depth);
            return;
        }
        if (auto record = EmbeddedRecords::decoded(message, field)) {
            writeBlock(field->name(), *record, depth);
            return;
        }
        text += indent + field->name() + ": " + FrcText::valueText(message, field, index) + "\n";
    }

    void writeBlock(const std::string& name, const pb::Message& child, int depth)
    {
        const std::string indent(2 * depth, ' ');
        text += indent + name + " {\n";
        write(child, depth + 1);
        text += indent + "}\n";
    }
};

class ErrorCollector : public pb::io::ErrorCollector
{
public:
    void AddError(int line, pb::io::ColumnNumber, const std::string& message) override
    {
        if (error.isEmpty())
            error = QStringLiteral("line %1: %2").arg(line + 1).arg(QString::fromStdString(message));
    }

    QString error;
};

class TextReader
{
public:
    TextReader(const std::string& text, ErrorCollector* errors)
        : mInput(text.data(), int(text.size()))
        , mTokenizer(&mInput, errors)
        , mErrors(errors)
    {
        mTokenizer.set_comment_style(pb::io::Tokenizer::SH_COMMENT_STYLE);
        mTokenizer.Next();
    }

    bool read(pb::Message* message, bool nested)
    {
        while (mErrors->error.isEmpty()) {
            if (nested && tryConsume("}"))
                return true;
            if (!nested && current().type == pb::io::Tokenizer::TYPE_END)
                return true;
            if (!readField(message))
                return false;
        }
        return false;
    }

private:
    const pb::io::Tokenizer::Token& current() { return mTokenizer.current(); }

    bool fail(const QString& message) { return failAt(current().line, message); }

    bool failAt(int line, const QString& message)
    {
        if (mErrors->error.isEmpty())
            mErrors->error = QStringLiteral("line %1: %2").arg(line + 1).arg(message);
        return false;
    }

    bool tryConsume(const char* symbol)
    {
        if (current().type != pb::io::Tokenizer::TYPE_SYMBOL || current().text != symbol)
            return false;
        mTokenizer.Next();
        return true;
    }

    bool readField(pb::Message* message)
    {
        if (current().type == pb::io::Tokenizer::TYPE_END)
            return fail(QStringLiteral("the text ends inside a block; \"}\" missing"));
        if (current().type != pb::io::Tokenizer::TYPE_IDENTIFIER)
            return fail(QStringLiteral("expected a field name, found \"%1\"").arg(QString::fromStdString(current().text)));
        const std::string name = current().text;
        const int line = current().line;
        const pb::FieldDescriptor* field = message->GetDescriptor()->FindFieldByName(name);
        if (!field)
            return fail(QStringLiteral("%1 has no field \"%2\"")
                            .arg(QString::fromStdString(message->GetDescriptor()->full_name()), QString::fromStdString(name)));
        mTokenizer.Next();
        const pb::Reflection* reflection = message->GetReflection();
        if (!field->is_repeated() && reflection->HasField(*message, field))
            return fail(QStringLiteral("field \"%1\" given twice").arg(QString::fromStdString(name)));
        const bool colon = tryConsume(":");
        if (field->cpp_type() == pb::FieldDescriptor::CPPTYPE_MESSAGE) {
            if (!tryConsume("{"))
                return fail(QStringLiteral("expected \"{\" after \"%1\"").arg(QString::fromStdString(name)));
            pb::Message* child = field->is_repeated() ? reflection->AddMessage(message, field)
                                                      : reflection->MutableMessage(message, field);
            return read(child, true);
        }
        if (isEmbeddedDataField(field) && tryConsume("{"))
            return readEmbedded(message, field, line);
        if (!colon)
            return fail(QStringLiteral("expected \":\" after \"%1\"").arg(QString::fromStdString(name)));
        return readValue(message, field);
    }

    bool readEmbedded(pb::Message* container, const pb::FieldDescriptor* field, int line)
    {
        std::unique_ptr<pb::Message> record = newEmbeddedRecord(*container, field);
        if (!record)
            return failAt(line, QStringLiteral("a nested \"data\" block needs a \"type\" before it that selects a record"));
        if (!read(record.get(), true))
            return false;
        if (!record->IsInitialized())
            return fail(QStringLiteral("%1 lacks %2").arg(QString::fromStdString(record->GetTypeName()),
                                                        QString::fromStdString(record->InitializationErrorString())));
        container->GetReflection()->SetString(container, field, record->SerializeAsString());
        return true;
    }

    bool readValue(pb::Message* message, const pb::FieldDescriptor* field)
    {
        switch (field->cpp_type()) {
        case pb::FieldDescriptor::CPPTYPE_STRING:
            return readString(message, field);
        case pb::FieldDescriptor::CPPTYPE_ENUM:
            return readEnum(message, field);
        case pb::FieldDescriptor::CPPTYPE_BOOL:
            return readBool(message, field);
        case pb::FieldDescriptor::CPPTYPE_FLOAT:
        case pb::FieldDescriptor::CPPTYPE_DOUBLE:
            return readFloat(message, field);
        default:
            return readInteger(message, field);
        }
    }

    bool readString(pb::Message* message, const pb::FieldDescriptor* field)
    {
        if (current().type != pb::io::Tokenizer::TYPE_STRING)
            return fail(QStringLiteral("expected a quoted string"));
        std::string value;
        while (current().type == pb::io::Tokenizer::TYPE_STRING) {
            pb::io::Tokenizer::ParseStringAppend(current().text, &value);
            mTokenizer.Next();
        }
        const pb::Reflection* r = message->GetReflection();
        field->is_repeated() ? r->AddString(message, field, value) : r->SetString(message, field, value);
        return true;
    }

    bool readEnum(pb::Message* message, const pb::FieldDescriptor* field)
    {
        const pb::EnumValueDescriptor* value = nullptr;
        if (current().type == pb::io::Tokenizer::TYPE_IDENTIFIER) {
            value = field->enum_type()->FindValueByName(current().text);
        } else if (current().type == pb::io::Tokenizer::TYPE_INTEGER) {
            uint64_t number = 0;
            if (pb::io::Tokenizer::ParseInteger(current().text, std::numeric_limits<int>::max(), &number))
                value = field->enum_type()->FindValueByNumber(int(number));
        }
        if (!value)
            return fail(QStringLiteral("\"%1\" is not a value of %2")
                            .arg(QString::fromStdString(current().text), QString::fromStdString(field->enum_type()->full_name())));
        mTokenizer.Next();
        const pb::Reflection* r = message->GetReflection();
        field->is_repeated() ? r->AddEnum(message, field, value) : r->SetEnum(message, field, value);
        return true;
    }

    bool readBool(pb::Message* message, const pb::FieldDescriptor* field)
    {
        const std::string& text = current().text;
        bool value = false;
        if (text == "true" || text == "1")
            value = true;
        else if (text != "false" && text != "0")
            return fail(QStringLiteral("expected true or false, found \"%1\"").arg(QString::fromStdString(text)));
        mTokenizer.Next();
        const pb::Reflection* r = message->GetReflection();
        field->is_repeated() ? r->AddBool(message, field, value) : r->SetBool(message, field, value);
        return true;
    }

    bool readFloat(pb::Message* message, const pb::FieldDescriptor* field)
    {
        const bool negative = tryConsume("-");
        if (current().type != pb::io::Tokenizer::TYPE_FLOAT && current().type != pb::io::Tokenizer::TYPE_INTEGER)
            return fail(QStringLiteral("expected a number"));
        double value = pb::io::Tokenizer::ParseFloat(current().text) * (negative ? -1 : 1);
        mTokenizer.Next();
        const pb::Reflection* r = message->GetReflection();
        if (field->cpp_type() == pb::FieldDescriptor::CPPTYPE_FLOAT)
            field->is_repeated() ? r->AddFloat(message, field, float(value)) : r->SetFloat(message, field, float(value));
        else
            field->is_repeated() ? r->AddDouble(message, field, value) : r->SetDouble(message, field, value);
        return true;
    }

    // An integer token, with an optional leading "-", whose magnitude is at
    // most `maxPositive` or, when negative, `maxNegative`.
    bool readMagnitude(const pb::FieldDescriptor* field, uint64_t maxPositive, uint64_t maxNegative,
                       bool* negative, uint64_t* magnitude)
    {
        *negative = tryConsume("-");
        if (current().type != pb::io::Tokenizer::TYPE_INTEGER
            || !pb::io::Tokenizer::ParseInteger(current().text, *negative ? maxNegative : maxPositive, magnitude))
            return fail(QStringLiteral("\"%1%2\" is out of the range of field \"%3\"")
                            .arg(*negative ? "-" : "", QString::fromStdString(current().text),
                                 QString::fromStdString(field->name())));
        mTokenizer.Next();
        return true;
    }

    bool readInteger(pb::Message* message, const pb::FieldDescriptor* field)
    {
        constexpr uint64_t int32Max = std::numeric_limits<int32_t>::max();
        constexpr uint64_t int64Max = std::numeric_limits<int64_t>::max();
        const pb::Reflection* r = message->GetReflection();
        const bool repeated = field->is_repeated();
        bool negative = false;
        uint64_t magnitude = 0;
        switch (field->cpp_type()) {
        case pb::FieldDescriptor::CPPTYPE_INT32: {
            if (!readMagnitude(field, int32Max, int32Max + 1, &negative, &magnitude))
                return false;
            const auto value = int32_t(negative ? -int64_t(magnitude) : int64_t(magnitude));
            repeated ? r->AddInt32(message, field, value) : r->SetInt32(message, field, value);
            return true;
        }
        case pb::FieldDescriptor::CPPTYPE_INT64: {
            if (!readMagnitude(field, int64Max, int64Max + 1, &negative, &magnitude))
                return false;
            const auto value = int64_t(negative ? 0 - magnitude : magnitude);
            repeated ? r->AddInt64(message, field, value) : r->SetInt64(message, field, value);
            return true;
        }
        case pb::FieldDescriptor::CPPTYPE_UINT32: {
            if (!readMagnitude(field, std::numeric_limits<uint32_t>::max(), 0, &negative, &magnitude))
                return false;
            repeated ? r->AddUInt32(message, field, uint32_t(magnitude)) : r->SetUInt32(message, field, uint32_t(magnitude));
            return true;
        }
        default: {
            if (!readMagnitude(field, std::numeric_limits<uint64_t>::max(), 0, &negative, &magnitude))
                return false;
            repeated ? r->AddUInt64(message, field, magnitude) : r->SetUInt64(message, field, magnitude);
            return true;
        }
        }
    }

    pb::io::ArrayInputStream mInput;
    pb::io::Tokenizer mTokenizer;
    ErrorCollector* mErrors;
};

} // namespace

std::string FrcText::valueText(const pb::Message& message, const pb::FieldDescriptor* field, int index)
{
    // A string field may hold bytes that are not UTF-8 (a gateway stores what
    // it is sent): written as they stand they would read back as other bytes.
    bool utf8 = true;
    if (field->type() == pb::FieldDescriptor::TYPE_STRING) {
        const pb::Reflection* reflection = message.GetReflection();
        std::string scratch;
        const std::string& value = index < 0 ? reflection->GetStringReference(message, field, &scratch)
                                             : reflection->GetRepeatedStringReference(message, field, index, &scratch);
        utf8 = pb::internal::IsStructurallyValidUTF8(value.data(), int(value.size()));
    }
    pb::TextFormat::Printer printer;
    printer.SetUseUtf8StringEscaping(utf8);
    std::string text;
    printer.PrintFieldValueToString(message, field, index, &text);
    return text;
}

QString FrcText::toText(const pb::Message& message)
{
    TextWriter writer;
    writer.write(message, 0);
    return QString::fromStdString(writer.text);
}

bool FrcText::fromText(const QString& text, pb::Message* message, QString* error)
{
    message->Clear();
    const std::string utf8 = text.toStdString();
    ErrorCollector errors;
    TextReader reader(utf8, &errors);
    if (reader.read(message, false) && errors.error.isEmpty())
        return true;
    *error = errors.error;
    return false;
}

} // namespace QKel::Frc
