#include "model/fields/field_type_registry.h"

#include "model/fields/date_time_fields.h"
#include "model/fields/doc_variable_field.h"
#include "model/fields/hyperlink_field.h"
#include "model/fields/if_field.h"
#include "model/fields/include_picture_field.h"
#include "model/fields/mergefield_field.h"
#include "model/fields/page_fields.h"
#include "model/fields/page_ref_field.h"
#include "model/fields/sequence_field.h"
#include "model/fields/shape_field.h"
#include "model/fields/symbol_field.h"
#include "model/fields/toc_entry_field.h"
#include "model/fields/toc_field.h"

#include <unordered_map>

namespace velmo::model {

namespace {

using Factory = std::unique_ptr<CalculatedFieldBase> (*)();

template <typename T>
std::unique_ptr<CalculatedFieldBase> make()
{
    return std::make_unique<T>();
}

struct FieldType {
    std::u16string_view name;
    Factory factory;
};

constexpr FieldType kFieldTypes[] = {
    {u"MERGEFIELD", &make<MergefieldField>},
    {u"DATE", &make<DateField>},
    {u"TIME", &make<TimeField>},
    {u"CREATEDATE", &make<CreateDateField>},
    {u"INCLUDEPICTURE", &make<IncludePictureField>},
    {u"IF", &make<IfField>},
    {u"HYPERLINK", &make<HyperlinkField>},
    {u"PAGE", &make<PageField>},
    {u"NUMPAGES", &make<NumPagesField>},
    {u"TOC", &make<TocField>},
    {u"TC", &make<TocEntryField>},
    {u"PAGEREF", &make<PageRefField>},
    {u"DOCVARIABLE", &make<DocVariableField>},
    {u"SEQ", &make<SequenceField>},
    {u"SHAPE", &make<ShapeField>},
    {u"SYMBOL", &make<SymbolField>},
};

const std::unordered_map<std::u16string_view, Factory>& registry()
{
    static const std::unordered_map<std::u16string_view, Factory> table = [] {
        std::unordered_map<std::u16string_view, Factory> result;
        for (const FieldType& type : kFieldTypes)
            result.emplace(type.name, type.factory);
        return result;
    }();
    return table;
}

} // namespace

std::unique_ptr<CalculatedFieldBase> createCalculatedField(std::u16string_view typeName)
{
    const auto found = registry().find(typeName);
    return found == registry().end() ? nullptr : found->second();
}

} // namespace velmo::model
