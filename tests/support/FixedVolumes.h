#pragma once

#include "platform/Volumes.h"

#include <QList>

namespace tavrel {

// Test double: a mount table that holds what the test puts in it ("/" alone at first).
class FixedVolumes final : public Volumes {
public:
    QList<DriveInfo> mounted() const override { return table; }

    QList<DriveInfo> table{{QStringLiteral("/"), {}, QStringLiteral("ext4")}};
};

} // namespace tavrel
