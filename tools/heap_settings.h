#pragma once
// How the exporter's heap is set up.

// On transparent huge pages: a million-triangle scene touches some 400 MB of fresh memory on its way through
// the reader, the host and the plug-in; at one fault per 4 KB page that fault handling was the largest single
// cost of an export. The C library takes the wish only from the environment at start-up, so the tool sets it
// and starts itself again, once, before doing anything else.
// Returns only when the tool need not (or cannot) start again; argv as main received it.
void restartWithHugePages(char** argv);

// One heap for all threads, and blocks of up to 32 MB taken from it. The host computes a mesh's normals on a
// second thread; a heap of that thread's own keeps what it frees there, out of reach of the rest of the export
// (some 30 MB at the peak of a million-triangle scene). Blocks from fresh mappings are returned when freed and
// every later block is cleared page by page again; from the heap, the plug-in's arrays take the pages the
// reader and the host freed (about a fifth less fresh memory over that export, at the same peak).
void tuneHeap();
