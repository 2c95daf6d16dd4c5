#include "delivery/version_manifest_parser.h"

#include <new>
#include <rapidxml.hpp>

#include "log/install_log.h"

namespace {

using Document = rapidxml::xml_document<char>;
using Node = rapidxml::xml_node<char>;

// The four version attributes of "ActiveX" and "Plugin", in lookup order.
const char* const kVersionAttributes[] = {"major", "minor", "buildMajor", "buildMinor"};

// The values of one flavour element, pointing into the parsed text.
struct FlavourValues {
    const char* numbers[4] = {};
};

bool findFlavour(Node* root, const char* name, FlavourValues& values) {
    Node* element = root->first_node(name);
    if (element == nullptr) return false;
    for (int i = 0; i < 4; ++i) {
        rapidxml::xml_attribute<char>* attribute = element->first_attribute(kVersionAttributes[i]);
        if (attribute == nullptr) return false;
        values.numbers[i] = attribute->value();
    }
    return true;
}

std::unique_ptr<ComponentVersion> makeVersion(const FlavourValues& values,
                                              std::uint32_t flavourCode) {
    std::unique_ptr<ComponentVersion> version(new ComponentVersion);
    version->major = manifestNumber(values.numbers[0]);
    version->minor = manifestNumber(values.numbers[1]);
    version->buildMajor = manifestNumber(values.numbers[2]);
    version->buildMinor = manifestNumber(values.numbers[3]);
    version->flavourCode = flavourCode;
    return version;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::uint32_t manifestNumber(const char* value) {
    const char* p = value;
    while (isSpace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    std::uint32_t number = 0;
    bool overflow = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        const std::uint32_t digit = static_cast<std::uint32_t>(*p - '0');
        if (number > (0xFFFFFFFFu - digit) / 10u) overflow = true;
        if (!overflow) number = number * 10u + digit;
    }
    if (overflow) return 0xFFFFFFFFu;
    return negative ? static_cast<std::uint32_t>(0u - number) : number;
}

bool parseVersionManifest(char* text, std::unique_ptr<ComponentVersion>& activeX,
                          std::unique_ptr<ComponentVersion>& plugin,
                          std::unique_ptr<std::uint32_t>& checkFrequency) {
    std::unique_ptr<Document> document;
    try {
        // On the heap: the document carries a memory pool of 64 KiB.
        document.reset(new Document);
        document->parse<0>(text);

        Node* root = document->first_node("version");
        if (root == nullptr) return false;
        FlavourValues activeXValues;
        if (!findFlavour(root, "ActiveX", activeXValues)) return false;
        FlavourValues pluginValues;
        if (!findFlavour(root, "Plugin", pluginValues)) return false;
        Node* config = root->first_node("SAUConfig");
        if (config == nullptr) return false;
        rapidxml::xml_attribute<char>* frequency = config->first_attribute("checkFrequency");
        if (frequency == nullptr) return false;
        const char* frequencyValue = frequency->value();

        // The values live in the text, which outlives the document.
        document.reset();
        activeX = makeVersion(activeXValues, kFlavourActiveX);
        plugin = makeVersion(pluginValues, kFlavourPlugin);
        checkFrequency.reset(new std::uint32_t(manifestNumber(frequencyValue)));
        return true;
    } catch (const rapidxml::parse_error&) {
        document.reset();
        logMessage(msg::kManifestNotWellFormed);
        return false;
    } catch (const std::bad_alloc&) {
        document.reset();
        logMessage(msg::kManifestOutOfMemory);
        return false;
    }
}
