#pragma once

namespace larkspin {

// Where a report page says it comes from. Larkspin has no web site of its own yet, so these use
// the reserved ".example" domain, which never leads to anybody else's site.
inline constexpr char kReportHostName[] = "larkspin.example";
inline constexpr char kProductPageAddress[] = "https://larkspin.example/";
inline constexpr char kMakerPageAddress[] = "https://tollmere.example/";

}  // namespace larkspin
