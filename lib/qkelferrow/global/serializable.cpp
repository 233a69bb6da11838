#include "serializable.h"

namespace QKel::Global {

Serializable::~Serializable() = default;

} // namespace QKel::Global
