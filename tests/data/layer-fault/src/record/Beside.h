#pragma once
// A store header the link may not include.
