int next_c;
