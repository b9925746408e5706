#include "position/jsonresults.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

#include <optional>

namespace {

// One reference token of a JSON pointer, "~1" and "~0" read as "/" and "~".
QString pointerToken(std::string_view token) {
    std::string out;
    for (size_t i = 0; i < token.size(); ++i) {
        if (token[i] == '~' && i + 1 < token.size()) {
            out += token[i + 1] == '1' ? '/' : '~';
            ++i;
        } else {
            out += token[i];
        }
    }
    return QString::fromStdString(out);
}

std::optional<qsizetype> arrayIndex(const QString& token, qsizetype size) {
    if (token.isEmpty() || (token.size() > 1 && token.front() == u'0'))
        return std::nullopt;
    bool ok = false;
    qlonglong index = token.toLongLong(&ok);
    if (!ok || index < 0 || index >= size)
        return std::nullopt;
    return static_cast<qsizetype>(index);
}

// The value a pointer leads to from `from`; nullopt when it leads nowhere.
std::optional<QJsonValue> follow(const QJsonValue& from, std::string_view pointer) {
    QJsonValue at = from;
    size_t begin = 0;
    while (begin < pointer.size()) {
        size_t next = pointer.find('/', begin + 1);
        const QString token = pointerToken(pointer.substr(
            begin + 1, next == std::string_view::npos ? std::string_view::npos : next - begin - 1));
        if (at.isObject()) {
            const QJsonObject object = at.toObject();
            auto found = object.constFind(token);
            if (found == object.constEnd())
                return std::nullopt;
            at = *found;
        } else if (at.isArray()) {
            const QJsonArray array = at.toArray();
            std::optional<qsizetype> index = arrayIndex(token, array.size());
            if (!index)
                return std::nullopt;
            at = array.at(*index);
        } else {
            return std::nullopt;
        }
        if (next == std::string_view::npos)
            break;
        begin = next;
    }
    return at;
}

// A field of an item: a plain name, or a pointer from the item when it starts with "/".
std::optional<QJsonValue> field(const QJsonObject& item, const std::string& name) {
    if (name.starts_with('/'))
        return follow(item, name);
    auto found = item.constFind(QString::fromStdString(name));
    if (found == item.constEnd())
        return std::nullopt;
    return *found;
}

// A label as the report shows it: a text as it stands, a number without a fraction it lacks.
std::optional<std::string> labelText(const QJsonValue& value) {
    if (value.isString())
        return value.toString().toStdString();
    if (value.isDouble()) {
        double number = value.toDouble();
        if (number == static_cast<double>(static_cast<long long>(number)))
            return std::to_string(static_cast<long long>(number));
        return QString::number(number).toStdString();
    }
    return std::nullopt;
}

}  // namespace

std::vector<ResultRow> jsonRuleRows(const JsonRule& rule, std::string_view page,
                                    std::vector<std::string>& notes) {
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(page.data(), static_cast<qsizetype>(page.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        notes.push_back("the answer is no JSON (" + error.errorString().toStdString() + " near byte " +
                        std::to_string(error.offset) + "), so it gave no results");
        return {};
    }
    if (!document.isObject()) {
        notes.push_back("the answer is JSON but no object, so it gave no results");
        return {};
    }
    std::optional<QJsonValue> list = follow(document.object(), rule.results);
    if (!list) {
        notes.push_back("the pointer " + rule.results +
                        " leads nowhere in the answer, so it gave no results");
        return {};
    }
    if (!list->isArray()) {
        notes.push_back("the pointer " + rule.results + " leads to no list, so the answer gave no results");
        return {};
    }
    std::vector<ResultRow> rows;
    const QJsonArray items = list->toArray();
    for (qsizetype i = 0; i < items.size(); ++i) {
        const std::string position = std::to_string(i + 1);
        std::optional<QJsonValue> address;
        if (items.at(i).isObject())
            address = field(items.at(i).toObject(), rule.addressField);
        if (!address || !address->isString() || address->toString().isEmpty()) {
            notes.push_back("result " + position + " has no address in \"" + rule.addressField +
                            "\", so the answer gave no results");
            return {};
        }
        std::optional<std::string> label;
        if (!rule.labelField.empty()) {
            if (std::optional<QJsonValue> value = field(items.at(i).toObject(), rule.labelField))
                label = labelText(*value);
        }
        // As on a result page, the query part goes when anything follows the question mark.
        rows.push_back({label && !label->empty() ? *label : position,
                        DeleteBetween(address->toString().toStdString(), "?", "", true)});
    }
    return rows;
}
