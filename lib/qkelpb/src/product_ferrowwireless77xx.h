#pragma once

#include "abstractmessage.h"

#include <product_ferrowwireless77xx.pb.h>

namespace QKel::Pb::Product::FerrowWireless77xx {

class Config : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(bool requestDynamicInfo READ requestDynamicInfo WRITE setRequestDynamicInfo NOTIFY requestDynamicInfoChanged)
    QKEL_PB_MESSAGE(Config, Kel::Pb::Product::FerrowWireless77xx::Config)

public:
    bool requestDynamicInfo() const;
    void setRequestDynamicInfo(bool value);

signals:
    void requestDynamicInfoChanged(bool);
};

}  // namespace QKel::Pb::Product::FerrowWireless77xx
