write|Optics|Unit|1
