#include "info/topics.h"

namespace info {

// Placeholder until the catalogue lands.
bool showTopic(std::string_view, estimate::DescriptionDocument&) { return false; }

bool selectsAllOnClick(std::string_view name) {
    return name == "EditCompStudent" || name == "EditVitrinManeken" || name == "EditVitrinPusto";
}

} // namespace info
