#include "records/tag_writer.h"

void TagWriter::reserve(std::size_t size)
{
    if (size > bytes_.size()) bytes_.resize(size);
}
