#include "meta/MetaComponent.h"

namespace pgx {

MetaComponent::~MetaComponent() = default;

}   // namespace pgx
