#pragma once

#include <QByteArray>
#include <QObject>

#include <memory>

namespace google::protobuf {
class Message;
}

namespace QKel::Pb {

template <class X>
class WrapperPrivate;

// The observable face of one configuration record. Every change anywhere in a
// wrapper tree surfaces as dataChanged() of each wrapper up to the root.
class AbstractMessage : public QObject
{
    Q_OBJECT

public:
    explicit AbstractMessage(QObject* parent = nullptr);
    ~AbstractMessage() override;

    virtual bool load(google::protobuf::Message* message) = 0;
    virtual bool load(const QByteArray& bytes) = 0;
    virtual QByteArray pack() = 0;

signals:
    void dataChanged();
};

}  // namespace QKel::Pb

// Declares what every wrapper class shares: the constructor, the three
// operations of AbstractMessage, load() from the typed record and the
// d-pointer. Use it right after Q_OBJECT and the Q_PROPERTY lines; it leaves
// the class in the public section.
#define QKEL_PB_MESSAGE(Class, RecordType)                              \
public:                                                                 \
    using Record = RecordType;                                          \
    explicit Class(QObject* parent = nullptr);                          \
    ~Class() override;                                                  \
    bool load(google::protobuf::Message* message) override;             \
    bool load(const QByteArray& bytes) override;                        \
    bool load(const Record& record);                                    \
    QByteArray pack() override;                                         \
                                                                        \
private:                                                                \
    friend class ::QKel::Pb::WrapperPrivate<Class>;                     \
    std::unique_ptr<::QKel::Pb::WrapperPrivate<Class>> d;               \
                                                                        \
public:

// Declares the accessors of a record that holds another record as type and
// data bytes: the type (the class's own TYPE), the bytes and the wrapper of
// the record in them. The Q_PROPERTY lines and the signals stay written out
// in the class, where moc reads them.
#define QKEL_PB_TYPE_AND_DATA_ACCESSORS                                 \
    TYPE type() const;                                                  \
    void setType(TYPE value);                                           \
    QByteArray data() const;                                            \
    void setData(QByteArray value);                                     \
    ::QKel::Pb::AbstractMessage* object() const;                        \
    void setObject(::QKel::Pb::AbstractMessage* object);
