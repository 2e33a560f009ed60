#include "MovedItem.h"

#include <utility>

namespace orv::capture::live {

MovedItem::MovedItem(std::string path) : path_(std::move(path)) {}

std::string MovedItem::displayName() const { return path_; }

std::string MovedItem::fileSystemPath() const { return path_; }

}  // namespace orv::capture::live
