// Keyed archives read back from files: a small class with values, data and nested objects,
// decoded, archived again and decoded again to the same archive.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/NSKeyedArchiver.h"

namespace {

struct Node : NSCoding {
    std::string name;
    long long count = 0;
    double weight = 0;
    Value::Bytes data;
    std::vector<std::shared_ptr<NSCoding>> children;
    std::shared_ptr<NSCoding> next;

    std::string archiveClassName() const override { return "Node"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override {
        coder.encodeString(name, "name");
        coder.encodeInteger(count, "count");
        coder.encodeDouble(weight, "weight");
        coder.encodeData(data, "data");
        coder.encodeObjects(children, "children");
        coder.encodeObject(next, "next");
    }
};

void registerNode() {
    NSKeyedUnarchiver::registerClass("Node", [](NSKeyedUnarchiver& coder) {
        auto node = std::make_shared<Node>();
        node->name = coder.decodeString("name").value_or("");
        node->count = coder.decodeInteger("count");
        node->weight = coder.decodeDouble("weight");
        node->data = coder.decodeData("data").value_or(Value::Bytes{});
        node->children = coder.decodeObjects("children");
        node->next = coder.decodeObject("next");
        return node;
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = (registerNode(), true);
    (void)registered;
    auto root = NSKeyedUnarchiver::unarchiveObjectWithData(Value::Bytes(data, data + size));
    if (!root) return 0;
    const Value::Bytes again = NSKeyedArchiver::archivedDataWithRootObject(*root);
    auto copy = NSKeyedUnarchiver::unarchiveObjectWithData(again);
    if (!copy || NSKeyedArchiver::archivedDataWithRootObject(*copy) != again) std::abort();
    return 0;
}
