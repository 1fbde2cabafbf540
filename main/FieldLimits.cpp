#include "FieldLimits.h"

#include "Unit1.h"

namespace {

struct FieldLimit {
    EntryKind kind;
    int maxLength;
};

constexpr FieldLimit kLimits[] = {
    {EntryKind::Text, 2000},
    {EntryKind::Sentence, 150},
};

} // namespace

int fieldMaxLength(EntryKind kind)
{
    for (const FieldLimit& limit : kLimits)
        if (limit.kind == kind)
            return limit.maxLength;
    return 0;
}
