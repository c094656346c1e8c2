INSERT INTO `LANGUAGES` (`LNGID`, `NAME`) VALUES (1,'de'),(16,'pl'),(4,'en'),(6,'fr'),(7,'es');
