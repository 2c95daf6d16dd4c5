#include "policy/policy_file_writer.h"

std::string policyFileText(const StringMap& table) {
    std::string text;
    for (const StringMapEntry* entry = table.first(); entry != table.end(); entry = entry->next) {
        text += entry->key.c_str();
        text += '=';
        text += entry->value.c_str();
        text += "\r\n";
    }
    return text;
}
