// The resource library's one translation unit: the resource files themselves are compiled in by
// qt_add_resources as an object library linked with it.
