#pragma once

#include <QtGlobal>

namespace velmora {

/// Failure numbers of the start-up window's own platform work (listed in
/// docs/errors.md).
namespace PlatformErrors {
/// A failure that was not a velmora::Failure reached the program's edge.
constexpr qint32 Unexpected = 7001;
/// The remembered files could not be written to the settings store.
constexpr qint32 SettingsNotSaved = 7002;
} // namespace PlatformErrors

} // namespace velmora
