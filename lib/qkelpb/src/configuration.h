#pragma once

#include "abstractmessage.h"

#include <QList>
#include <QQmlListProperty>

#include <configuration.pb.h>

namespace QKel::Pb::Configuration {

// One typed entry of a configuration file; data holds the record that type
// selects, object its wrapper.
class Data : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(TYPE type READ type WRITE setType NOTIFY typeChanged)
    Q_PROPERTY(QByteArray data READ data WRITE setData NOTIFY dataChanged)
    Q_PROPERTY(QKel::Pb::AbstractMessage* object READ object WRITE setObject NOTIFY objectChanged)
    QKEL_PB_MESSAGE(Data, Kel::Pb::Configuration::Data)

public:
    enum TYPE : int {
        TYPE__NONE = 0,
        TYPE__VISUAL_CONFIGURATION = 1,
        TYPE__OBJECT_DICTIONARY = 2,
        TYPE__JOB_ENGINE = 4,
        TYPE__KEYS = 5,
        TYPE__INTERFACE = 6,
        TYPE__REMOTE = 7,
        TYPE__SERVER = 8,
        TYPE__KEL_FUNCTION = 9,
        TYPE__PRODUCT = 254,
        TYPE__CUSTOM = 255,
    };
    Q_ENUM(TYPE)

    QKEL_PB_TYPE_AND_DATA_ACCESSORS

signals:
    void typeChanged(QKel::Pb::Configuration::Data::TYPE);
    void dataChanged(QByteArray);
    void objectChanged(QKel::Pb::AbstractMessage*);
};

// A whole configuration as stored in .frc files and exchanged with the
// device: version, product ID, typed entries and a CRC-16 over them.
class File : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(uint version READ version WRITE setVersion NOTIFY versionChanged)
    Q_PROPERTY(QString productId READ productId WRITE setProductId NOTIFY productIdChanged)
    Q_PROPERTY(QQmlListProperty<QKel::Pb::Configuration::Data> dataList READ qmlDataList NOTIFY dataListChanged)
    Q_PROPERTY(uint checksum READ checksum WRITE setChecksum NOTIFY checksumChanged)
    QKEL_PB_MESSAGE(File, Kel::Pb::Configuration::File)

public:
    enum LOAD_ERROR : int {
        LOAD_ERROR__NONE = 0,
        LOAD_ERROR__VERSION_OBSOLETE = 1,
        LOAD_ERROR__VERSION_MISMATCH = 2,
        LOAD_ERROR__CHECKSUM = 3,
        LOAD_ERROR__PARSE = 4,
    };

    uint version() const;
    void setVersion(uint value);
    QString productId() const;
    void setProductId(QString value);
    QList<Data*> dataList() const;
    void setDataList(const QList<Data*>& list);
    QQmlListProperty<Data> qmlDataList();
    uint checksum() const;
    void setChecksum(uint value);
    LOAD_ERROR loadError() const;

    // CRC-16/X-25 over "1", the product ID and each entry's type number in
    // decimal followed by its data bytes.
    static quint16 computeChecksum(const Record& record);
    // What keeps a parsed record from loading; LOAD_ERROR__NONE when it loads.
    // Checks without building the wrapper tree, for tools that only compare.
    static LOAD_ERROR check(const Record& record);

signals:
    void versionChanged(quint32);
    void productIdChanged(QString);
    void dataListChanged(QList<QKel::Pb::Configuration::Data*>);
    void checksumChanged(quint32);

private:
    bool fail(LOAD_ERROR error);
};

}  // namespace QKel::Pb::Configuration

Q_DECLARE_METATYPE(QKel::Pb::Configuration::File::LOAD_ERROR)
